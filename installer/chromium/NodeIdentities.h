// Ids and guids for new nodes: each id above the file's highest, as the
// browser numbers its own, and each guid a fresh random version-4 one that
// no node of the file has.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/Json.h"

namespace chromium_store {

class NodeIdentities {
 public:
  // Takes in every node under the document's "roots".
  explicit NodeIdentities(const Json& document);

  // False when the next id would pass the browser's largest (a signed
  // 64-bit number).
  bool NextId(std::string* id);
  // False when the random source fails or keeps repeating guids in use.
  bool NewGuid(const RandomSource& randomBytes, std::string* guid);

 private:
  void TakeIn(const Json& node);

  uint64_t highestId_ = 0;
  std::set<std::string> guidsInUse_;  // in lower case
};

}  // namespace chromium_store
