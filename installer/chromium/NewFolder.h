// The product's folder as an install puts it into a root: its nodes, and
// its text as the browser writes it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "installer/shared/ProductFolder.h"

namespace installer::chromium {

struct NewNode {
  std::string id;
  std::string guid;
};

struct NewFolder {
  std::string date;  // microseconds since 1601, for every date it carries
  NewNode folder;
  NewNode links[installer::shared::kProductLinkCount];
  std::string urls[installer::shared::kProductLinkCount];
};

// The folder as the browser's pretty printer writes an element of an array
// that opens on a line indented `indent` blanks: members sorted, three more
// blanks a level, from "{" to "}" with no line end after it.
std::string FolderText(const NewFolder& folder, size_t indent, std::string_view lineEnd);

// A string as the browser writes it: UTF-8 with \b \f \n \r \t \\ \"
// escaped, "<" as \u003C, U+2028, U+2029 and other control characters as
// \uXXXX (upper-case hex).
std::string QuotedString(std::string_view text);

}  // namespace installer::chromium
