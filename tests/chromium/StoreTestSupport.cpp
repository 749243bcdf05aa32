#include "tests/chromium/StoreTestSupport.h"

#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "installer/chromium/Checksum.h"
#include "installer/chromium/JsonReader.h"
#include "installer/chromium/StoreConvention.h"

namespace store_test {

using chromium_store::Json;

const char* const kDriveCProductDir = chromium_store::kBackslashSeparates
                                          ? "C:\\Program Files\\Quillary\\"
                                          : "/C:/Program Files/Quillary/";

std::string DataFile(const std::string& name) {
  std::ifstream in(std::string(CHROMIUM_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

chromium_store::NodeSource RepeatableSource(uint64_t seed) {
  auto state = std::make_shared<uint64_t>(seed);
  return {kFixedNow, [state](unsigned char* buffer, size_t size) {
            for (size_t i = 0; i < size; ++i) {
              if (i % 8 == 0) {
                *state += 0x9E3779B97F4A7C15ULL;
              }
              uint64_t z = *state;
              z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
              z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
              z ^= z >> 31;
              buffer[i] = static_cast<unsigned char>(z >> (8 * (i % 8)));
            }
            return true;
          }};
}

Json Parse(std::string_view text) {
  Json document;
  if (!chromium_store::ParseJson(text, &document)) {
    return Json();
  }
  return document;
}

std::string TreeChecksum(const Json& document) {
  std::string hex;
  chromium_store::HexDigest(chromium_store::DigestKind::kMd5,
                            chromium_store::ChecksumInput(document), &hex);
  return hex;
}

bool IdsAndGuidsUnique(const Json& document, std::string* duplicate) {
  std::set<std::string> ids;
  std::set<std::string> guids;
  bool unique = true;
  for (const Json& root : document["roots"]) {
    ForEachNode(root, [&](const Json& node) {
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
