// What the Chromium-family store takes from the system: digests for the
// file's checksums, random bytes for new guids, the clock, and the ANSI
// code page. Implemented in installer/win32/ (BCrypt, kernel32) and
// installer/posix/ (libcrypto, getrandom, clock_gettime); the build links
// one of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace installer::chromium {

enum class DigestKind { kMd5, kSha256 };

// A digest over bytes handed over piece by piece, so that its input is
// never held whole.
class Digester {
 public:
  explicit Digester(DigestKind kind);
  ~Digester();
  Digester(const Digester&) = delete;
  Digester& operator=(const Digester&) = delete;

  void Add(std::string_view bytes);
  // The digest's bytes; false when the system has no such digest or a
  // step of it failed.
  bool Finish(std::string* digest);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The digest of bytes at once; false as for Finish.
bool Digest(DigestKind kind, std::string_view bytes, std::string* digest);

// Bytes in lower-case hex, as the browser writes its checksums.
std::string HexOf(std::string_view bytes);

// Fills the buffer from the system's random source; false when it fails.
bool SystemRandomBytes(unsigned char* buffer, size_t size);

// Now, in microseconds since 1601-01-01 UTC (the browser's own clock).
uint64_t MicrosecondsSince1601();

// A path as the program holds it, in the ANSI code page on Windows and
// untouched elsewhere, converted to UTF-8; false when it is no text of
// that code page.
bool AnsiToUtf8(std::string_view ansi, std::string* utf8);

}  // namespace installer::chromium
