// Ids and guids for new nodes: each id above the file's highest, as the
// browser numbers its own, and each guid a fresh random version-4 one
// (122 random bits: no other node has it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/StoreScan.h"

namespace installer::chromium {

class NodeIdentities {
 public:
  // Takes in every node under the scanned "roots".
  explicit NodeIdentities(const StoreScan& scan);

  // False when the next id would pass the browser's largest (a signed
  // 64-bit number).
  bool NextId(std::string* id);
  // False when the random source fails, or hands out a guid this run made
  // already (it is no random source then).
  bool NewGuid(const RandomSource& randomBytes, std::string* guid);

 private:
  uint64_t highestId_ = 0;
  std::vector<std::string> made_;
};

}  // namespace installer::chromium
