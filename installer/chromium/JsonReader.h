// Reading a whole text as one JSON value, without exceptions.
#pragma once

#include <string_view>

#include "installer/chromium/Json.h"

namespace chromium_store {

// The browser refuses deeper nesting, and our walks over the tree recurse.
constexpr size_t kMaxNestingDepth = 200;

// False when the text is not exactly one JSON value (strict RFC 8259, valid
// UTF-8) or nests arrays and objects deeper than kMaxNestingDepth.
bool ParseJson(std::string_view text, Json* value);

}  // namespace chromium_store
