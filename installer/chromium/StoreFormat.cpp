// What the store's callers need besides the two operations.
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/SystemServices.h"

namespace chromium_store {

bool IsChromiumBookmarks(std::string_view text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && text[first] == '{';
}

const char* ReasonText(LeftAloneReason reason) {
  switch (reason) {
    case LeftAloneReason::kHoldsOtherEntries:
      return "holds other entries";
    case LeftAloneReason::kLacksProductLink:
      return "lacks one of the product's links";
  }
  return "";
}

NodeSource SystemNodeSource() { return NodeSource{MicrosecondsSince1601(), SystemRandomBytes}; }

}  // namespace chromium_store
