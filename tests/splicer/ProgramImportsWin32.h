// Windows only: the functions a program file imports from one DLL, read
// from its import table on disk, so that a test can tell whether it covers
// every system call the shipped program may make.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace splicer_test {

// The names, by name-import only; nullopt when the bytes are not a 64-bit
// program with a readable import table.
std::optional<std::vector<std::string>> ImportsFrom(const std::string& programBytes,
                                                    const char* dll);

}  // namespace splicer_test
