#include "tests/chromium/StoreTestSupport.h"

#include <fstream>
#include <set>
#include <sstream>

#include "installer/shared/PathConvention.h"

namespace store_test {

const char* const kDriveCProductDir = installer::shared::kBackslashSeparates
                                          ? "C:\\Program Files\\Quillary\\"
                                          : "/C:/Program Files/Quillary/";

std::string DataFile(const std::string& name) {
  std::ifstream in(std::string(CHROMIUM_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool IdsAndGuidsUnique(const Json& document, std::string* duplicate) {
  std::set<std::string> ids;
  std::set<std::string> guids;
  bool unique = true;
  for (const Json& root : document["roots"]) {
    bookmarks_tree::ForEachNode(root, [&](const Json& node) {
      std::string id = node.value("id", "");
      std::string guid = node.value("guid", "");
      if (!ids.insert(id).second || !guids.insert(guid).second ||
          guid.find_first_of("ABCDEF") != std::string::npos) {
        unique = false;
        *duplicate = id + " " + guid;
      }
    });
  }
  return unique;
}

}  // namespace store_test
