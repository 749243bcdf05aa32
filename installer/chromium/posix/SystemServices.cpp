// The store's system services on POSIX: OpenSSL's libcrypto, getrandom and
// the real-time clock. Paths are taken as UTF-8, as the browser takes them.
#include "installer/chromium/SystemServices.h"

#include <openssl/evp.h>
#include <sys/random.h>
#include <time.h>

#include <cerrno>

namespace chromium_store {

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr uint64_t kEpochDifferenceSeconds = 11644473600ULL;

}  // namespace

bool HexDigest(DigestKind kind, std::string_view bytes, std::string* hex) {
  const EVP_MD* md = kind == DigestKind::kMd5 ? EVP_md5() : EVP_sha256();
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (md == nullptr || EVP_Digest(bytes.data(), bytes.size(), digest, &size, md, nullptr) != 1) {
    return false;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  hex->clear();
  for (unsigned int i = 0; i < size; ++i) {
    hex->push_back(kHex[digest[i] >> 4]);
    hex->push_back(kHex[digest[i] & 0xF]);
  }
  return true;
}

bool SystemRandomBytes(unsigned char* buffer, size_t size) {
  while (size > 0) {
    ssize_t got = getrandom(buffer, size, 0);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    buffer += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

uint64_t MicrosecondsSince1601() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return (static_cast<uint64_t>(now.tv_sec) + kEpochDifferenceSeconds) * 1000000ULL +
         static_cast<uint64_t>(now.tv_nsec) / 1000ULL;
}

bool AnsiToUtf8(std::string_view ansi, std::string* utf8) {
  utf8->assign(ansi);
  return true;
}

}  // namespace chromium_store
