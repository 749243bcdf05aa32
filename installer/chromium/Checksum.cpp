#include "installer/chromium/Checksum.h"

namespace chromium_store {

namespace {

constexpr const char* kChecksummedRoots[] = {"bookmark_bar", "other", "synced"};

const std::string& StringMember(const Json& node, const char* name) {
  static const std::string kNone;
  auto member = node.find(name);
  return member != node.end() && member->is_string() ? member->get_ref<const std::string&>()
                                                     : kNone;
}

void AppendUtf16Unit(std::string* out, unsigned unit) {
  out->push_back(static_cast<char>(unit & 0xFF));
  out->push_back(static_cast<char>(unit >> 8));
}

// The text is valid UTF-8: the reader accepts no other.
void AppendUtf16Le(std::string* out, const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    unsigned codePoint = length == 1   ? lead
                         : length == 2 ? lead & 0x1F
                         : length == 3 ? lead & 0x0F
                                       : lead & 0x07;
    for (size_t k = 1; k < length && i + k < text.size(); ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += length;
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      AppendUtf16Unit(out, 0xD800 + (codePoint >> 10));
      AppendUtf16Unit(out, 0xDC00 + (codePoint & 0x3FF));
    } else {
      AppendUtf16Unit(out, codePoint);
    }
  }
}

void AppendNode(std::string* out, const Json& node) {
  if (!node.is_object()) {
    return;
  }
  out->append(StringMember(node, "id"));
  AppendUtf16Le(out, StringMember(node, "name"));
  if (StringMember(node, "type") == "url") {
    out->append("url");
    out->append(StringMember(node, "url"));
    return;
  }
  out->append("folder");
  auto children = node.find("children");
  if (children != node.end() && children->is_array()) {
    for (const Json& child : *children) {
      AppendNode(out, child);
    }
  }
}

}  // namespace

std::string ChecksumInput(const Json& document) {
  std::string input;
  auto roots = document.find("roots");
  if (roots == document.end() || !roots->is_object()) {
    return input;
  }
  for (const char* name : kChecksummedRoots) {
    auto root = roots->find(name);
    if (root != roots->end()) {
      AppendNode(&input, *root);
    }
  }
  return input;
}

bool UpdateChecksums(Json* document) {
  std::string input = ChecksumInput(*document);
  std::string md5;
  if (!HexDigest(DigestKind::kMd5, input, &md5)) {
    return false;
  }
  if (document->contains("checksum")) {
    (*document)["checksum"] = md5;
  } else {
    // The browser's members come sorted, so "checksum" leads.
    Json withChecksum = Json::object();
    withChecksum["checksum"] = md5;
    for (auto member = document->begin(); member != document->end(); ++member) {
      withChecksum[member.key()] = std::move(member.value());
    }
    *document = std::move(withChecksum);
  }
  if (document->contains("checksum_sha256")) {
    std::string sha256;
    if (!HexDigest(DigestKind::kSha256, input, &sha256)) {
      return false;
    }
    (*document)["checksum_sha256"] = sha256;
  }
  return true;
}

}  // namespace chromium_store
