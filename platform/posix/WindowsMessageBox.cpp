// There is no one to press a button on POSIX: the box is a line on standard
// error, answered as if its first button had been pressed.
#include <cstdio>
#include <string>

#include "platform/posix/Windows.h"

int MessageBoxA(HWND, LPCSTR lpText, LPCSTR, UINT uType) {
  std::string line = lpText != nullptr ? lpText : "";
  for (char& c : line) {
    if (c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  line += '\n';
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  switch (uType & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
      return IDYES;
    case MB_RETRYCANCEL:
      return IDRETRY;
    default:
      return IDOK;
  }
}
