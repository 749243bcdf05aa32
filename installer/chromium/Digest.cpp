// What the two targets' digests share.
#include "installer/chromium/SystemServices.h"

namespace installer::chromium {

bool Digest(DigestKind kind, std::string_view bytes, std::string* digest) {
  Digester digester(kind);
  digester.Add(bytes);
  return digester.Finish(digest);
}

std::string HexOf(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    unsigned char byte = static_cast<unsigned char>(c);
    hex.push_back(kHex[byte >> 4]);
    hex.push_back(kHex[byte & 0xF]);
  }
  return hex;
}

}  // namespace installer::chromium
