// Writing a JSON value as the browser's own pretty printer writes its
// bookmark file, so that what the browser wrote comes back byte for byte:
//   - an object: "{", each member on a line of its own, indented 3 blanks
//     per level, as "key": value, members separated by ",", then "}" on a
//     line at the object's own level;
//   - an array: "[ " elements separated by ", " " ]" ("[  ]" when empty),
//     its elements at the array's own level;
//   - strings as UTF-8 with \b \f \n \r \t \\ \" escaped, "<" as \u003C,
//     U+2028 and U+2029 and other control characters as \uXXXX (upper-case
//     hex); numbers, true, false and null as JSON has them;
//   - the given line end after every line, the last included.
#pragma once

#include <string>
#include <string_view>

#include "installer/chromium/Json.h"

namespace chromium_store {

std::string WriteJson(const Json& value, std::string_view lineEnd);

// The line end a text was written with: CR LF when its first line ends so,
// LF when it ends in a lone LF, the target browser's own when it has none.
std::string_view LineEndOf(std::string_view text);

}  // namespace chromium_store
