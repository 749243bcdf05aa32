#include <cstdint>
#include <cstring>

#include "testing/HostProcess.h"

namespace host_process {

std::string Framed(const std::string& text) {
  uint32_t length = static_cast<uint32_t>(text.size());
  std::string framed(sizeof length, '\0');
  std::memcpy(&framed[0], &length, sizeof length);
  return framed + text;
}

std::string FirstMessage(const std::string& output) {
  uint32_t length = 0;
  if (output.size() < sizeof length) return std::string();
  std::memcpy(&length, output.data(), sizeof length);
  if (output.size() - sizeof length < length) return std::string();
  return output.substr(sizeof length, length);
}

}  // namespace host_process
