// The one check of text the browsers hand over and the manifests carry.
#pragma once

#include <string>

namespace native_host {

// Whether the bytes are well-formed UTF-8: no overlong forms, no surrogates,
// nothing beyond U+10FFFF.
bool IsUtf8(const std::string& text);

}  // namespace native_host
