#include "installer/dialogs/PathFields.h"

#include <cstring>

#include "browser/BrowserInterface.h"
#include "installer/shared/PathConvention.h"
#include "platform/Win32Api.h"

namespace installer::dialogs {

namespace {

struct PathParts {
  char drive[_MAX_DRIVE];
  char dir[_MAX_DIR];
  char fname[_MAX_FNAME];
  char ext[_MAX_EXT];
};

// False when the parts do not add up to the whole path: a part was too long
// for its buffer and the split cut or refused it.
bool SplitWhole(const char* path, PathParts* parts) {
  size_t length = std::strlen(path);
  if (length >= MAX_PATH) {
    return false;
  }
  _splitpath(path, parts->drive, parts->dir, parts->fname, parts->ext);
  return std::strlen(parts->drive) + std::strlen(parts->dir) + std::strlen(parts->fname) +
             std::strlen(parts->ext) ==
         length;
}

// The drive and directory of path into out.
bool DriveAndDirectory(const char* path, char* out, size_t size) {
  PathParts parts;
  if (!SplitWhole(path, &parts) || std::strlen(parts.drive) + std::strlen(parts.dir) >= size) {
    return false;
  }
  _makepath(out, parts.drive, parts.dir, nullptr, nullptr);
  return true;
}

}  // namespace

bool BookmarkPathFromField(const char* field, char* bookmarkPath, size_t size) {
  size_t length = std::strlen(field);
  bool addSeparator = length == 0 || field[length - 1] != shared::kDirSeparator;
  size_t directoryLength = length + (addSeparator ? 1 : 0);
  // The directory and the file name must fit together.
  const size_t fileLength =
      std::strlen(browser::kBookmarkFileName) + std::strlen(browser::kBookmarkFileExt);
  if (directoryLength + fileLength >= size || directoryLength >= MAX_PATH) {
    return false;
  }
  char directory[MAX_PATH];
  std::memcpy(directory, field, length);
  if (addSeparator) {
    directory[length] = shared::kDirSeparator;
  }
  directory[directoryLength] = '\0';
  PathParts parts;
  if (!SplitWhole(directory, &parts)) {
    return false;
  }
  _makepath(bookmarkPath, parts.drive, parts.dir, browser::kBookmarkFileName,
            browser::kBookmarkFileExt);
  return true;
}

bool ProductDirFromField(const char* field, char* productDir, size_t size) {
  return DriveAndDirectory(field, productDir, size);
}

bool DirectoryOfFile(const char* file, char* directory, size_t size) {
  return DriveAndDirectory(file, directory, size);
}

}  // namespace installer::dialogs
