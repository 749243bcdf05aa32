#include "installer/chromium/NodeIdentities.h"

#include <algorithm>
#include <cstdio>

#include "installer/chromium/NodeWalk.h"

namespace installer::chromium {

namespace {

constexpr uint64_t kLargestId = 0x7FFFFFFFFFFFFFFFULL;

// A decimal id the browser reads as its number, or false.
bool IdNumber(std::string_view text, uint64_t* number) {
  if (text.empty() || text.size() > 19) {
    return false;
  }
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > kLargestId) {
    return false;
  }
  *number = value;
  return true;
}

}  // namespace

NodeIdentities::NodeIdentities(const StoreScan& scan) {
  for (const RootEntry& root : scan.roots) {
    // Every node the file has counts, whatever its type.
    WalkNodes(scan, root.record, [&](uint32_t record) {
      uint64_t number = 0;
      if (IdNumber(scan.Value(scan.nodes[record].id), &number) && number > highestId_) {
        highestId_ = number;
      }
      return true;
    });
  }
}

bool NodeIdentities::NextId(std::string* id) {
  if (highestId_ >= kLargestId) {
    return false;
  }
  *id = std::to_string(++highestId_);
  return true;
}

bool NodeIdentities::NewGuid(const RandomSource& randomBytes, std::string* guid) {
  unsigned char bytes[16];
  if (!randomBytes || !randomBytes(bytes, sizeof bytes)) {
    return false;
  }
  bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);  // version 4
  bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  char text[37];
  std::snprintf(text, sizeof text,
                "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", bytes[0],
                bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8],
                bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
  if (std::find(made_.begin(), made_.end(), text) != made_.end()) {
    return false;
  }
  made_.push_back(text);
  *guid = text;
  return true;
}

}  // namespace installer::chromium
