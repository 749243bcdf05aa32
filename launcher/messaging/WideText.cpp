#include "launcher/messaging/WideText.h"

#include <windows.h>

namespace native_host {

bool WideFromUtf8(const std::string& text, std::wstring* wide) {
  wide->clear();
  if (text.empty()) {
    return true;
  }
  int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                     static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) {
    return false;
  }
  wide->resize(static_cast<size_t>(length));
  return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                               static_cast<int>(text.size()), &(*wide)[0], length) == length;
}

bool Utf8FromWide(const std::wstring& wide, std::string* text) {
  text->clear();
  if (wide.empty()) {
    return true;
  }
  int length = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(),
                                     static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (length <= 0) {
    return false;
  }
  text->resize(static_cast<size_t>(length));
  return ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(),
                               static_cast<int>(wide.size()), &(*text)[0], length, nullptr,
                               nullptr) == length;
}

}  // namespace native_host
