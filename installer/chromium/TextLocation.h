// Where a node stands in the text it was read from, for a report that
// names its line.
#pragma once

#include <cstddef>
#include <string_view>

namespace chromium_store {

// The line (from 1) of the opening brace of roots.<root>.children[index] in
// a text the reader accepted; 0 when it cannot be found there (a member
// name written with escapes). Of members with one name, the last counts,
// as it does for the reader.
size_t LineOfRootChild(std::string_view text, std::string_view root, size_t index);

}  // namespace chromium_store
