#include "launcher/messaging/Utf8.h"

namespace native_host {

namespace {

// A sequence's length and the least code point it may carry, from its lead
// byte; length 0 for a byte that leads nothing.
struct Lead {
  size_t length;
  unsigned least;
  unsigned bits;
};

Lead ReadLead(unsigned char byte) {
  if (byte < 0x80) return {1, 0, byte};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, byte & 0x1Fu};
  if (byte >= 0xE0 && byte <= 0xEF) return {3, 0x800, byte & 0x0Fu};
  if (byte >= 0xF0 && byte <= 0xF4) return {4, 0x10000, byte & 0x07u};
  return {0, 0, 0};
}

}  // namespace

bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    Lead lead = ReadLead(static_cast<unsigned char>(text[i]));
    if (lead.length == 0 || text.size() - i < lead.length) {
      return false;
    }
    unsigned codePoint = lead.bits;
    for (size_t k = 1; k < lead.length; ++k) {
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0u) != 0x80u) {
        return false;
      }
      codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < lead.least || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      return false;
    }
    i += lead.length;
  }
  return true;
}

}  // namespace native_host
