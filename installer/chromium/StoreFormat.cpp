// What the store's callers need besides the two operations.
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/SystemServices.h"

namespace installer::chromium {

bool IsChromiumBookmarks(std::string_view text) {
  // A text editor may have saved the file with a UTF-8 byte-order mark.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  size_t first = text.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && text[first] == '{';
}

NodeSource SystemNodeSource() { return NodeSource{MicrosecondsSince1601(), SystemRandomBytes}; }

}  // namespace installer::chromium
