// The final path of a bookmark file on Windows, every link on the way
// resolved by the system.
#include "installer/RealFile.h"

#include <windows.h>

#include <cstring>

namespace installer {

namespace {

constexpr char kLongPrefix[] = "\\\\?\\";
constexpr char kLongUncPrefix[] = "\\\\?\\UNC\\";

bool StartsWith(const char* text, const char* prefix) {
  return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

RealFileOutcome FindRealFile(const char* path, char* realPath) {
  // Opened for no access at all: only its name is asked for, whoever else
  // holds it.
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    // Nothing there (yet): the path stands, and the run finds it missing.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      return RealFileOutcome::kFailed;
    }
    std::strncpy(realPath, path, MAX_PATH - 1);
    realPath[MAX_PATH - 1] = '\0';
    return std::strlen(path) < MAX_PATH ? RealFileOutcome::kFound : RealFileOutcome::kTooLong;
  }
  // Room for a path of MAX_PATH with the longest prefix the system puts before it.
  char final[MAX_PATH + sizeof kLongUncPrefix];
  DWORD length =
      GetFinalPathNameByHandleA(file, final, sizeof final, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(file);
  if (length == 0) {
    return RealFileOutcome::kFailed;
  }
  if (length >= sizeof final) {
    return RealFileOutcome::kTooLong;
  }
  // "\\?\C:\..." is "C:\...", and "\\?\UNC\server\share\..." is "\\server\share\...".
  const char* rest = final;
  const char* lead = "";
  if (StartsWith(final, kLongUncPrefix)) {
    rest = final + std::strlen(kLongUncPrefix);
    lead = "\\\\";
  } else if (StartsWith(final, kLongPrefix)) {
    rest = final + std::strlen(kLongPrefix);
  }
  // A name the ANSI code page cannot hold comes back with "?", which no
  // file name holds: no path of this program's reaches that file.
  if (std::strchr(rest, '?') != nullptr) {
    return RealFileOutcome::kFailed;
  }
  if (std::strlen(lead) + std::strlen(rest) >= MAX_PATH) {
    return RealFileOutcome::kTooLong;
  }
  std::strcpy(realPath, lead);
  std::strcat(realPath, rest);
  return RealFileOutcome::kFound;
}

}  // namespace installer
