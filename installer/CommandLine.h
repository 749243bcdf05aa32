// The installer's command line: the bookmark file's path up to the first
// blank, the product directory after that one blank (blanks included), or a
// removal switch followed by one blank and the bookmark file's path whole.
#pragma once

#include "platform/Win32Api.h"

namespace installer {

struct InstallerRequest {
  // FALSE when a part does not fit its buffer: it would name some other file.
  BOOL usable;
  // The line asked for the product's folder to be taken out again.
  BOOL removal;
};

// Fills both buffers (MAX_PATH bytes each, zeroed first). For a removal,
// productDir stays empty, and one pair of double quotes enclosing the whole
// path is dropped, so that a path with blanks can be given as Windows
// programs are usually given one.
InstallerRequest SplitCommandLine(const char* line, char* bookmarkPath, char* productDir);

}  // namespace installer
