// The host manifest registration should write for a program, from the data
// files in tests/launcher/data (QC_LAUNCHER_TEST_DATA) with the program's
// path, as JSON writes it, in place of @PATH@.
#pragma once

#include <string>

#include "tests/launcher/LauncherRunner.h"

inline std::string ExpectedManifest(const char* family, const std::string& programPath) {
  std::string escaped;
  for (char c : programPath) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  std::string text = ReadAll(std::string(QC_LAUNCHER_TEST_DATA) + "/" + family + "-host.json");
  size_t at = text.find("@PATH@");
  return at == std::string::npos ? text : text.replace(at, 6, escaped);
}
