// The store's system services on Windows: BCrypt's digests and random
// generator, the system clock (FILETIME counts 100 ns from 1601 already),
// and the ANSI code page through UTF-16.
#include <windows.h>

#include "installer/chromium/SystemServices.h"
// bcrypt.h takes its types from windows.h.
#include <bcrypt.h>

#include <vector>

namespace installer::chromium {

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

struct Digester::State {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  ULONG size = 0;
  bool failed = false;
};

Digester::Digester(DigestKind kind) : state_(new State) {
  state_->size = kind == DigestKind::kMd5 ? 16 : 32;
  state_->failed =
      !Succeeded(BCryptOpenAlgorithmProvider(
          &state_->algorithm,
          kind == DigestKind::kMd5 ? BCRYPT_MD5_ALGORITHM : BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
      !Succeeded(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0));
}

Digester::~Digester() {
  if (state_->hash != nullptr) {
    BCryptDestroyHash(state_->hash);
  }
  if (state_->algorithm != nullptr) {
    BCryptCloseAlgorithmProvider(state_->algorithm, 0);
  }
}

void Digester::Add(std::string_view bytes) {
  // BCryptHashData takes at most a ULONG at a time.
  while (!state_->failed && !bytes.empty()) {
    ULONG chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<ULONG>(bytes.size());
    state_->failed = !Succeeded(BCryptHashData(
        state_->hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())), chunk, 0));
    bytes.remove_prefix(chunk);
  }
}

bool Digester::Finish(std::string* digest) {
  unsigned char bytes[32];
  if (state_->failed || !Succeeded(BCryptFinishHash(state_->hash, bytes, state_->size, 0))) {
    state_->failed = true;
    return false;
  }
  state_->failed = true;  // finished: no more input
  digest->assign(reinterpret_cast<const char*>(bytes), state_->size);
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
  // A byte the code page has no character for fails the conversion rather
  // than turning into a default character in the links.
  int wide = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
  if (wide <= 0) {
    return false;
  }
  std::vector<wchar_t> utf16(static_cast<size_t>(wide));
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, utf16.data(), wide) !=
      wide) {
    return false;
  }
  int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), wide, nullptr, 0,
                                  nullptr, nullptr);
  if (bytes <= 0) {
    return false;
  }
  utf8->resize(static_cast<size_t>(bytes));
  return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), wide, utf8->data(), bytes,
                             nullptr, nullptr) == bytes;
}

}  // namespace installer::chromium
