// The store's system services on POSIX: OpenSSL's libcrypto, getrandom and
// the real-time clock. Paths are taken as UTF-8, as the browser takes them.
#include <openssl/evp.h>
#include <sys/random.h>
#include <time.h>

#include <cerrno>

#include "installer/chromium/SystemServices.h"

namespace installer::chromium {

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr uint64_t kEpochDifferenceSeconds = 11644473600ULL;

}  // namespace

struct Digester::State {
  EVP_MD_CTX* context = nullptr;
  bool failed = false;
};

Digester::Digester(DigestKind kind) : state_(new State) {
  state_->context = EVP_MD_CTX_new();
  const EVP_MD* md = kind == DigestKind::kMd5 ? EVP_md5() : EVP_sha256();
  state_->failed = state_->context == nullptr || md == nullptr ||
                   EVP_DigestInit_ex(state_->context, md, nullptr) != 1;
}

Digester::~Digester() { EVP_MD_CTX_free(state_->context); }

void Digester::Add(std::string_view bytes) {
  if (!state_->failed && !bytes.empty()) {
    state_->failed = EVP_DigestUpdate(state_->context, bytes.data(), bytes.size()) != 1;
  }
}

bool Digester::Finish(std::string* digest) {
  unsigned char bytes[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (state_->failed || EVP_DigestFinal_ex(state_->context, bytes, &size) != 1) {
    state_->failed = true;
    return false;
  }
  state_->failed = true;  // finished: no more input
  digest->assign(reinterpret_cast<const char*>(bytes), size);
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

}  // namespace installer::chromium
