#include "installer/chromium/NodeIdentities.h"

#include <cstdio>

namespace chromium_store {

namespace {

constexpr uint64_t kLargestId = 0x7FFFFFFFFFFFFFFFULL;
// A source that hands out a guid in use this often is no random source.
constexpr int kGuidAttempts = 16;

// A decimal id the browser reads as its number, or false.
bool IdNumber(const std::string& text, uint64_t* number) {
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

std::string LowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

NodeIdentities::NodeIdentities(const Json& document) {
  auto roots = document.find("roots");
  if (roots != document.end() && roots->is_object()) {
    for (const Json& root : *roots) {
      TakeIn(root);
    }
  }
}

void NodeIdentities::TakeIn(const Json& node) {
  if (!node.is_object()) {
    return;
  }
  auto id = node.find("id");
  uint64_t number = 0;
  if (id != node.end() && id->is_string() && IdNumber(id->get_ref<const std::string&>(), &number) &&
      number > highestId_) {
    highestId_ = number;
  }
  auto guid = node.find("guid");
  if (guid != node.end() && guid->is_string()) {
    guidsInUse_.insert(LowerCase(guid->get<std::string>()));
  }
  auto children = node.find("children");
  if (children != node.end() && children->is_array()) {
    for (const Json& child : *children) {
      TakeIn(child);
    }
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
  for (int attempt = 0; attempt < kGuidAttempts; ++attempt) {
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
    if (guidsInUse_.insert(text).second) {
      *guid = text;
      return true;
    }
  }
  return false;
}

}  // namespace chromium_store
