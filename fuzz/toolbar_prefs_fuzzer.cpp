// The reader of prefs.js that names the personal toolbar folder, on any
// text: the name it gives is always one the splice can write (not empty,
// within its buffer, no NUL, no quote) and comes from the text or is the
// default.
#include <cstdint>
#include <string_view>

#include "browser/BrowserInterface.h"
#include "fuzz/FuzzSupport.h"
#include "installer/html/BookmarkSplicerText.h"

using fuzz_input::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view prefs(reinterpret_cast<const char*>(data), size);
  installer::html::ToolbarFolder folder = installer::html::ToolbarFolderFromPrefs(prefs);
  const std::string& name = folder.name;
  Check(!name.empty(), "a name is given");
  Check(name.size() < installer::html::kToolbarNameBufferSize, "the name fits its buffer");
  Check(name.find('\0') == std::string::npos, "the name holds no NUL");
  Check(name.find('"') == std::string::npos, "the name holds no quote");
  Check(name == browser::kDefaultToolbarFolder || prefs.find(name) != std::string_view::npos,
        "the name is the default or taken from the text");
  bool created = prefs.find(browser::kHasToolbarFolderKey) != std::string_view::npos;
  Check(folder.lookForFolder == !created, "a folder is looked for unless prefs.js has one made");
  return 0;
}
