#include "framework/Arguments.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

namespace {

std::string Utf8FromWide(const wchar_t* text) {
  int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) {
    return std::string();
  }
  std::string out(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], length, nullptr, nullptr);
  out.pop_back();  // the terminating zero
  return out;
}

std::vector<std::string> SplitCommandLine() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (split == nullptr) {
    return arguments;
  }
  for (int i = 1; i < count; ++i) {
    arguments.push_back(Utf8FromWide(split[i]));
  }
  ::LocalFree(split);
  return arguments;
}

}  // namespace

const std::vector<std::string>& AfxGetArguments() {
  static const std::vector<std::string> arguments = SplitCommandLine();
  return arguments;
}
