// The Chromium family's Bookmarks file as a format of the file routine: the
// store's install and removal, with their refusals told as the program's
// outcomes.
#pragma once

#include <string_view>

#include "installer/shared/BookmarkFileRoutine.h"

namespace installer::chromium {

// A file named "Bookmarks" (in any case) is the store's whatever it holds,
// so that an empty or damaged one is refused, never taken for HTML; so is
// a text that is the store's by its content, whatever the file's name.
bool IsOwnFile(std::string_view fileName, std::string_view text);

// The browser holds the store in memory while it runs and writes it back
// over the file.
constexpr bool kNeedsBrowserClosed = true;

// productDir as the program holds it, ending in the target's separator.
installer::shared::FormatEdit InstallEdit(std::string_view text, const char* productDir);
installer::shared::FormatEdit RemoveEdit(std::string_view text);

}  // namespace installer::chromium
