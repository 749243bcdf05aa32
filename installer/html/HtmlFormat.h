// The HTML bookmark file as a format of the file routine: the splice of the
// product's folder and its removal, the file's text in and the new text
// written out (straight from the old text, so a large file is never held
// twice).
#pragma once

#include <string_view>

#include "installer/shared/BookmarkFileRoutine.h"

namespace installer::html {

// Every bookmark file that no other format owns is taken for HTML, as it
// always was.
bool IsOwnFile(std::string_view fileName, std::string_view text);
constexpr bool kNeedsBrowserClosed = false;

// The folder at the top of the text's first list and again in the toolbar
// folder that prefs.js beside the file names (or in a new one at the end);
// a text that holds the installed marker anywhere is left as it is.
// productDir ends in the target's separator.
installer::shared::FormatEdit InstallEdit(std::string_view text,
                                          const installer::shared::BookmarkPaths& paths,
                                          const char* productDir);

// Every product folder that the removal's rule finds, and the folders made
// to hold them, taken out; folders the user changed are reported.
installer::shared::FormatEdit RemoveEdit(std::string_view text);

}  // namespace installer::html
