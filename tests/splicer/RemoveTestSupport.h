// Removal run through the program's own application object, as the
// splicer tests run the splice.
#pragma once

#include <string>
#include <string_view>

#include "installer/html/BookmarkRemoverText.h"

namespace splicer_test {

// The removal rule on a text, with the new text made whole.
struct TextRemoval : installer::html::RemovalResult {
  std::string text;
};
TextRemoval RemoveFromText(std::string_view text);

// Takes the product's folder out of the bookmark file at this path.
void RunRemover(const std::string& bookmarkPath);

}  // namespace splicer_test
