// The least a native messaging host can do, the benchmark's baseline: read
// one message, reply that it was saved.
#include <cstdint>
#include <cstdio>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  uint32_t length = 0;
  if (std::fread(&length, sizeof length, 1, stdin) != 1 || length > 1024 * 1024) return 1;
  std::string message(length, '\0');
  if (length > 0 && std::fread(&message[0], 1, length, stdin) != length) return 1;
  const std::string reply = "{\"saved\":true}";
  uint32_t size = static_cast<uint32_t>(reply.size());
  std::fwrite(&size, sizeof size, 1, stdout);
  std::fwrite(reply.data(), 1, reply.size(), stdout);
  return 0;
}
