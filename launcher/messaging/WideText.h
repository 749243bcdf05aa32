// UTF-8 and Windows' UTF-16, both ways. Windows only.
#pragma once

#include <string>

namespace native_host {

// False for text that is not well-formed.
bool WideFromUtf8(const std::string& text, std::wstring* wide);
bool Utf8FromWide(const std::wstring& wide, std::string* text);

}  // namespace native_host
