// The files beside a bookmark file that both the splice and the removal
// work with: its backup, prefs.js and the directory its new text is
// written in first.
#pragma once

#include "platform/Win32Api.h"

namespace installer::shared {

struct BookmarkPaths {
  char backup[MAX_PATH];
  char prefs[MAX_PATH];
  // The bookmark file's drive and directory: empty, or ending in a
  // separator (or in a drive's colon).
  char directory[MAX_PATH];
  // The bookmark file's name and extension, the last component of its path.
  char fileName[MAX_PATH];
};

// Repairs a root given twice in bookmarkPath (D:\:\N\ stands for D:\N\),
// in place. FALSE when a part of the path is cut or the repaired path would
// not fit MAX_PATH.
BOOL RepairBookmarkPath(char* bookmarkPath);

// The paths beside the bookmark file at `filePath`. FALSE when a part of the
// path is cut or a path would not fit MAX_PATH.
BOOL PathsBeside(const char* filePath, BookmarkPaths& paths);

}  // namespace installer::shared
