// What the store's tests share: the browser's files of data/, a random
// source that repeats run for run, and checks on a written store text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/Json.h"

namespace store_test {

// The bytes of tests/chromium/data/<name>.
std::string DataFile(const std::string& name);

// A fixed "now" (2026-12-08) and a random source that gives the same bytes
// for the same sequence of calls (splitmix64 from a seed).
constexpr uint64_t kFixedNow = 13441230000000000ULL;
chromium_store::NodeSource RepeatableSource(uint64_t seed = 1);

// The product directory on this target whose links are
// file:///C:/Program%20Files/Quillary/...: "C:\Program Files\Quillary\" on
// Windows, "/C:/Program Files/Quillary/" elsewhere, so that one expected
// file serves both.
extern const char* const kDriveCProductDir;

chromium_store::Json Parse(std::string_view text);

// The MD5 checksum over a document's tree as the browser computes it.
std::string TreeChecksum(const chromium_store::Json& document);

// Every node under "roots", depth first.
template <typename Visit>
void ForEachNode(const chromium_store::Json& node, Visit visit) {
  if (!node.is_object()) {
    return;
  }
  visit(node);
  auto children = node.find("children");
  if (children != node.end() && children->is_array()) {
    for (const chromium_store::Json& child : *children) {
      ForEachNode(child, visit);
    }
  }
}

// Ids and guids of every node under "roots" unique, guids lower-case.
bool IdsAndGuidsUnique(const chromium_store::Json& document, std::string* duplicate);

}  // namespace store_test
