// The installer's command line: the bookmark file's path up to the first
// blank, the product directory after that one blank (blanks included), or a
// removal switch followed by one blank and the bookmark file's path whole.
// A line that starts with a double quote takes the bookmark path up to the
// next one, so that it can hold blanks ("C:\...\User Data\Default\Bookmarks"
// C:\Program Files\Quillary\); after that quote comes the end of the line,
// or one blank and the product directory as before. A product directory
// wholly inside double quotes loses them ("C:\Program Files\Quillary\"):
// no Windows path holds a quote, and a link to one would be no product's.
#pragma once

#include "platform/Win32Api.h"

namespace installer {

struct InstallerRequest {
  // FALSE when a part does not fit its buffer (it would name some other
  // file), or a leading quote is not closed before the end or a blank.
  BOOL usable;
  // The line asked for the product's folder to be taken out again.
  BOOL removal;
  // Why the line cannot be used, as the user is told; null when usable.
  const char* problem;
};

// Fills both buffers (MAX_PATH bytes each, zeroed first). For a removal,
// productDir stays empty, and one pair of double quotes enclosing the whole
// path is dropped, so that a path with blanks can be given as Windows
// programs are usually given one.
//
// firstArgument: the first argument as the platform handed it over on its
// own, when it does (natively, where a shell's argument may hold blanks);
// null otherwise. When the line starts with it (after its leading blanks,
// which the line lost) and it does not start with a double quote, it ends
// the first part instead of the first blank: the bookmark path whole, or the
// removal switch.
InstallerRequest SplitCommandLine(const char* line, char* bookmarkPath, char* productDir,
                                  const char* firstArgument = nullptr);

}  // namespace installer
