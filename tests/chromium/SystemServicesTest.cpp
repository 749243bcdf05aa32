// The system services under the store, on each target's own system (BCrypt
// and kernel32 under Wine, libcrypto and getrandom natively).
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "installer/chromium/SystemServices.h"

namespace {

using installer::chromium::DigestKind;

TEST(SystemServices, DigestsOfKnownTexts) {
  struct Case {
    DigestKind kind;
    std::string bytes;
    const char* expected;
  };
  const Case cases[] = {
      {DigestKind::kMd5, "", "d41d8cd98f00b204e9800998ecf8427e"},
      {DigestKind::kMd5, "abc", "900150983cd24fb0d6963f7d28e17f72"},
      {DigestKind::kMd5, std::string("a\0b", 3), "70350f6027bce3713f6b76473084309b"},
      {DigestKind::kSha256, "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {DigestKind::kSha256, "abc",
       "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
  };
  for (const Case& c : cases) {
    std::string digest;
    ASSERT_TRUE(installer::chromium::Digest(c.kind, c.bytes, &digest));
    EXPECT_EQ(installer::chromium::HexOf(digest), c.expected) << c.bytes;
    // Handed over in pieces, as the store hands over its tree.
    installer::chromium::Digester pieces(c.kind);
    for (char byte : c.bytes) {
      pieces.Add(std::string_view(&byte, 1));
    }
    pieces.Add("");
    ASSERT_TRUE(pieces.Finish(&digest));
    EXPECT_EQ(installer::chromium::HexOf(digest), c.expected) << c.bytes;
  }
}

TEST(SystemServices, RandomBytesDiffer) {
  unsigned char first[16] = {};
  unsigned char second[16] = {};
  ASSERT_TRUE(installer::chromium::SystemRandomBytes(first, sizeof first));
  ASSERT_TRUE(installer::chromium::SystemRandomBytes(second, sizeof second));
  EXPECT_NE(std::string(first, first + 16), std::string(second, second + 16));
}

TEST(SystemServices, ClockCountsFrom1601) {
  const uint64_t kSecondsFrom1601To1970 = 11644473600ULL;
  uint64_t expected =
      (static_cast<uint64_t>(std::time(nullptr)) + kSecondsFrom1601To1970) * 1000000ULL;
  uint64_t now = installer::chromium::MicrosecondsSince1601();
  EXPECT_LT(now > expected ? now - expected : expected - now, 5000000ULL);
}

TEST(SystemServices, AsciiPathIsItsOwnUtf8) {
  std::string utf8;
  ASSERT_TRUE(installer::chromium::AnsiToUtf8("C:\\Program Files\\Quillary\\", &utf8));
  EXPECT_EQ(utf8, "C:\\Program Files\\Quillary\\");
}

}  // namespace
