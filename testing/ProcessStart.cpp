#include "testing/ProcessStart.h"

#include <cstdio>
#include <functional>

namespace process_start {

namespace {

const int kTries = 3;
const DWORD kPauseMs = 200;

// start() is one try; what names the program in the note of a failed try.
BOOL Tried(const std::function<BOOL()>& start, const std::string& what) {
  for (int attempt = 1;; ++attempt) {
    if (start()) return TRUE;
    const DWORD error = ::GetLastError();
    std::fprintf(stderr, "note: try %d of %d to start %s failed with error %lu\n", attempt, kTries,
                 what.c_str(), static_cast<unsigned long>(error));
    if (attempt == kTries) {
      ::SetLastError(error);
      return FALSE;
    }
    ::Sleep(kPauseMs);
  }
}

std::string Utf8(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  std::string utf8(static_cast<size_t>(length) * 3, '\0');
  utf8.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &utf8[0],
                                                        length * 3, nullptr, nullptr)));
  return utf8;
}

}  // namespace

BOOL StartProcess(const char* application, std::string commandLine, BOOL inheritHandles,
                  STARTUPINFOA* startup, PROCESS_INFORMATION* process) {
  return Tried(
      [&] {
        // CreateProcess may write into the command line: a fresh copy each try.
        std::string line = commandLine;
        *process = {};
        return ::CreateProcessA(application, &line[0], nullptr, nullptr, inheritHandles, 0, nullptr,
                                nullptr, startup, process);
      },
      commandLine);
}

BOOL StartProcessW(const wchar_t* application, std::wstring commandLine, BOOL inheritHandles,
                   DWORD flags, const wchar_t* folder, STARTUPINFOW* startup,
                   PROCESS_INFORMATION* process) {
  return Tried(
      [&] {
        std::wstring line = commandLine;
        *process = {};
        return ::CreateProcessW(application, &line[0], nullptr, nullptr, inheritHandles, flags,
                                nullptr, folder, startup, process);
      },
      Utf8(commandLine));
}

}  // namespace process_start
