// The store's system services on Windows: BCrypt's digests and random
// generator, the system clock (FILETIME counts 100 ns from 1601 already),
// and the ANSI code page through UTF-16.
#include "installer/chromium/SystemServices.h"

#include <windows.h>
// bcrypt.h takes its types from windows.h.
#include <bcrypt.h>

#include <vector>

namespace chromium_store {

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

bool HexDigest(DigestKind kind, std::string_view bytes, std::string* hex) {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(BCryptOpenAlgorithmProvider(
          &algorithm, kind == DigestKind::kMd5 ? BCRYPT_MD5_ALGORITHM : BCRYPT_SHA256_ALGORITHM,
          nullptr, 0))) {
    return false;
  }
  unsigned char digest[32];
  ULONG size = kind == DigestKind::kMd5 ? 16 : 32;
  BCRYPT_HASH_HANDLE hash = nullptr;
  bool done = Succeeded(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0));
  // BCryptHashData takes at most a ULONG at a time.
  std::string_view rest = bytes;
  while (done && !rest.empty()) {
    ULONG chunk = rest.size() > 0x40000000u ? 0x40000000u : static_cast<ULONG>(rest.size());
    done = Succeeded(
        BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(rest.data())), chunk, 0));
    rest.remove_prefix(chunk);
  }
  done = done && Succeeded(BCryptFinishHash(hash, digest, size, 0));
  if (hash != nullptr) {
    BCryptDestroyHash(hash);
  }
  BCryptCloseAlgorithmProvider(algorithm, 0);
  if (!done) {
    return false;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  hex->clear();
  for (ULONG i = 0; i < size; ++i) {
    hex->push_back(kHex[digest[i] >> 4]);
    hex->push_back(kHex[digest[i] & 0xF]);
  }
  return true;
}

bool SystemRandomBytes(unsigned char* buffer, size_t size) {
  while (size > 0) {
    ULONG chunk = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
    if (!Succeeded(BCryptGenRandom(nullptr, buffer, chunk, BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
      return false;
    }
    buffer += chunk;
    size -= chunk;
  }
  return true;
}

uint64_t MicrosecondsSince1601() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10;
}

bool AnsiToUtf8(std::string_view ansi, std::string* utf8) {
  utf8->clear();
  if (ansi.empty()) {
    return true;
  }
  if (ansi.size() > 0x7FFFFFFF) {
    return false;
  }
  int length = static_cast<int>(ansi.size());
  int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  if (wide <= 0) {
    return false;
  }
  std::vector<wchar_t> utf16(static_cast<size_t>(wide));
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, utf16.data(), wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) {
    return false;
  }
  utf8->resize(static_cast<size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8->data(), bytes, nullptr, nullptr);
  return true;
}

}  // namespace chromium_store
