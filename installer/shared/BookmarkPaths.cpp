#include "installer/shared/BookmarkPaths.h"

#include <cstdio>
#include <cstring>

#include "browser/BrowserInterface.h"

namespace installer::shared {

namespace {

constexpr char kBackupName[] = "bkmk";
constexpr char kBackupExt[] = ".qyr";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// _makepath into a MAX_PATH buffer; FALSE, leaving it as it was, when the
// path would not fit.
BOOL MakePathBounded(char* path, const char* drive, const char* dir, const char* fname,
                     const char* ext) {
  size_t dirLength = std::strlen(dir);
  size_t length = (drive[0] != '\0' ? 2 : 0) + dirLength + std::strlen(fname) + std::strlen(ext);
  length += dirLength != 0 && !IsSeparator(dir[dirLength - 1]) ? 1 : 0;
  length += ext[0] != '\0' && ext[0] != '.' ? 1 : 0;
  if (length >= MAX_PATH) {
    return FALSE;
  }
  _makepath(path, drive, dir, fname, ext);
  return TRUE;
}

// _splitpath into MAX_PATH buffers; FALSE when the runtime cut a part short,
// which would lead to some other file.
BOOL SplitWhole(const char* path, char* drive, char* dir, char* fname, char* ext) {
  _splitpath(path, drive, dir, fname, ext);
  return std::strlen(drive) + std::strlen(dir) + std::strlen(fname) + std::strlen(ext) ==
         std::strlen(path);
}

}  // namespace

BOOL RepairBookmarkPath(char* bookmarkPath) {
  char drive[MAX_PATH];
  char dir[MAX_PATH];
  char fname[MAX_PATH];
  char ext[MAX_PATH];
  if (!SplitWhole(bookmarkPath, drive, dir, fname, ext)) {
    return FALSE;
  }
  // A root given twice, as in D:\:\Netscape\, loses the directory's first
  // two characters.
  if (std::strstr(dir, "\\:") != nullptr) {
    std::memmove(dir, dir + 2, std::strlen(dir + 2) + 1);
    return MakePathBounded(bookmarkPath, drive, dir, fname, ext);
  }
  return TRUE;
}

BOOL PathsBeside(const char* filePath, BookmarkPaths& paths) {
  char drive[MAX_PATH];
  char dir[MAX_PATH];
  char fname[MAX_PATH];
  char ext[MAX_PATH];
  if (!SplitWhole(filePath, drive, dir, fname, ext)) {
    return FALSE;
  }
  int length = std::snprintf(paths.directory, sizeof paths.directory, "%s%s", drive, dir);
  int nameLength = std::snprintf(paths.fileName, sizeof paths.fileName, "%s%s", fname, ext);
  return length >= 0 && static_cast<size_t>(length) < sizeof paths.directory && nameLength >= 0 &&
         static_cast<size_t>(nameLength) < sizeof paths.fileName &&
         MakePathBounded(paths.backup, drive, dir, kBackupName, kBackupExt) &&
         MakePathBounded(paths.prefs, drive, dir, browser::kPrefsFileName, browser::kPrefsFileExt);
}

}  // namespace installer::shared
