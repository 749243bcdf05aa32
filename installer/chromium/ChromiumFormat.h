// The Chromium family's Bookmarks file as a format of the file routine: the
// store's install and removal, with their refusals told as the program's
// outcomes.
#pragma once

#include <string_view>

#include "installer/shared/BookmarkFileRoutine.h"

namespace chromium_format {

// productDir as the program holds it, ending in the target's separator.
bookmark_file::FormatEdit Install(std::string_view text, const char* productDir);
bookmark_file::FormatEdit Remove(std::string_view text);

}  // namespace chromium_format
