// The file a bookmark path names, found through symbolic links, so that the
// new text replaces the file itself (a link stays a link) and the files
// beside it (backup, prefs.js, temporary file, the browser's lock) are
// looked for beside the real file. Implemented in posix/ and win32/; the
// build links one of them.
#pragma once

#include "platform/Win32Api.h"

namespace installer {

enum class RealFileOutcome {
  kFound,    // realPath holds the file's path: the path itself when no link leads elsewhere
  kTooLong,  // the real file's path does not fit MAX_PATH
  kFailed,   // the links cannot be followed (a loop, an unreadable link or directory)
};

// Fills realPath (MAX_PATH bytes) with the path of the file that `path`
// names. A path that names nothing yet stands as it is, so that a missing
// file can be made from its backup.
// - POSIX: the links of the last component are followed one after another
//   (a relative link from the folder that holds it); the folders on the way
//   stay as written. A link to a missing file gives the missing file.
// - Windows: the system's final path of the opened file, every link and
//   junction on the way resolved, as an ordinary drive or UNC path.
RealFileOutcome FindRealFile(const char* path, char* realPath);

}  // namespace installer
