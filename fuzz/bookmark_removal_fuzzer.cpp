// Removal of the product's folders from any bookmark text, as a browser or
// a user may have left it: it only ever deletes (the output is the input
// with parts taken out, in order), says truly whether it changed anything,
// finds nothing more to take out in its own output, and leaves a text
// without the folder's name alone.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "installer/html/BookmarkRemoverText.h"

using fuzz_input::Check;

namespace {

// Every byte of `part` stands in `whole`, in order.
bool IsSubsequence(std::string_view part, std::string_view whole) {
  size_t at = 0;
  for (char c : part) {
    at = whole.find(c, at);
    if (at == std::string_view::npos) {
      return false;
    }
    ++at;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  installer::html::RemovalResult removal = installer::html::RemoveProductFolders(text);
  size_t previousEnd = 0;
  for (const installer::html::ByteRange& range : removal.removed) {
    Check(range.begin >= previousEnd && range.begin < range.end && range.end <= text.size(),
          "the removed ranges are in order, not empty, apart and inside the text");
    previousEnd = range.end;
  }
  std::string kept = installer::html::KeptText(text, removal);
  Check(removal.changed == (kept != text), "changed says whether the text changed");
  Check(kept.size() <= text.size(), "removal never adds");
  Check(IsSubsequence(kept, text), "the output is the input with parts taken out");
  Check(removal.changed || removal.removedFolders + removal.removedToolbarFolders == 0,
        "nothing counted as removed when nothing changed");
  if (text.find("Quillary") == std::string_view::npos) {
    Check(!removal.changed, "a text without the folder's name stays as it is");
  }
  installer::html::RemovalResult again = installer::html::RemoveProductFolders(kept);
  Check(!again.changed, "a second removal changes nothing");
  Check(again.leftAlone.size() == removal.leftAlone.size(),
        "a second removal leaves the same folders alone");
  return 0;
}
