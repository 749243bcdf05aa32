// What the Chromium-family store takes from the system: digests for the
// file's checksums, random bytes for new guids, the clock, and the ANSI
// code page. Implemented in win32/ (BCrypt, kernel32) and posix/ (libcrypto,
// getrandom, clock_gettime); the build links one of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace chromium_store {

enum class DigestKind { kMd5, kSha256 };

// The digest of bytes in lower-case hex; false when the system has none.
bool HexDigest(DigestKind kind, std::string_view bytes, std::string* hex);

// Fills the buffer from the system's random source; false when it fails.
bool SystemRandomBytes(unsigned char* buffer, size_t size);

// Now, in microseconds since 1601-01-01 UTC (the browser's own clock).
uint64_t MicrosecondsSince1601();

// A path as the program holds it, in the ANSI code page on Windows and
// untouched elsewhere, converted to UTF-8; false when it cannot be.
bool AnsiToUtf8(std::string_view ansi, std::string* utf8);

}  // namespace chromium_store
