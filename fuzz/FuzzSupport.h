// What the fuzz targets share: how an input that feeds several texts is cut
// into them, and how a target reports a broken property.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz_input {

// Parts are cut at each line "--8<--" (the line ends before and after it
// belong to the separator), so that a seed stays readable and the fuzzer
// steers every part on its own.
constexpr std::string_view kSeparator = "\n--8<--\n";

inline std::vector<std::string_view> SplitParts(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (;;) {
    size_t at = text.find(kSeparator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) {
      return parts;
    }
    text.remove_prefix(at + kSeparator.size());
  }
}

// A broken property ends the run as a crash would, so that libFuzzer keeps
// the input and the replay fails on it.
inline void Check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "broken property: %s\n", property);
    std::abort();
  }
}

}  // namespace fuzz_input
