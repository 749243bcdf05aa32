#include "testing/ProcessStart.h"

#include <cstdio>

namespace process_start {

namespace {
const int kTries = 3;
const DWORD kPauseMs = 200;
}  // namespace

BOOL StartProcess(const char* application, std::string commandLine, BOOL inheritHandles,
                  STARTUPINFOA* startup, PROCESS_INFORMATION* process) {
  for (int attempt = 1;; ++attempt) {
    // CreateProcessA may write into the command line: a fresh copy each try.
    std::string line = commandLine;
    *process = {};
    if (::CreateProcessA(application, &line[0], nullptr, nullptr, inheritHandles, 0, nullptr,
                         nullptr, startup, process)) {
      return TRUE;
    }
    const DWORD error = ::GetLastError();
    std::fprintf(stderr, "note: try %d of %d to start %s failed with error %lu\n", attempt,
                 kTries, commandLine.c_str(), static_cast<unsigned long>(error));
    if (attempt == kTries) {
      ::SetLastError(error);
      return FALSE;
    }
    ::Sleep(kPauseMs);
  }
}

}  // namespace process_start
