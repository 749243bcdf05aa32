// The browser's instance lock on Windows: "lockfile" in User Data, which
// the running browser holds open and lets no other handle write or delete.
#include "installer/BrowserLock.h"

#include <windows.h>

#include <string>

namespace installer {

namespace {

bool HeldOpen(const std::string& lock) {
  // Reading data is what the user can be expected to have on his own
  // profile, and any data access is enough for the system to refuse the
  // open while another handle has the file; asking for no sharing makes
  // every other handle a conflict, whatever it was opened for.
  HANDLE file = CreateFileA(lock.c_str(), FILE_READ_DATA, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  DWORD error = GetLastError();
  // Anything but absence (access denied, a file being deleted as the
  // browser quits) cannot be told from a running browser.
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool BrowserHoldsProfile(const char* bookmarkPath) {
  if (bookmarkPath == nullptr || bookmarkPath[0] == '\0') {
    return false;
  }
  std::string profile = bookmarkPath;
  size_t end = profile.find_last_of("\\/:");
  profile.erase(end == std::string::npos ? 0 : end + 1);
  // Windows resolves ".." by the path's text before it opens anything, so
  // "<profile>\..\lockfile" is the lock in the folder above, also for a
  // path without a directory part ("..\lockfile") or with a drive alone
  // ("C:..\lockfile").
  return HeldOpen(profile + "lockfile") || HeldOpen(profile + "..\\lockfile");
}

}  // namespace installer
