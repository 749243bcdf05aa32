#include "installer/CommandLine.h"

#include <cstring>

#include "installer/ProgramConventions.h"

namespace installer {

namespace {

// Copies a part into a MAX_PATH buffer; FALSE, copying nothing, when it does
// not fit whole.
BOOL CopyPart(char* buffer, const char* part, size_t length) {
  if (length >= MAX_PATH) {
    return FALSE;
  }
  std::memcpy(buffer, part, length);
  buffer[length] = '\0';
  return TRUE;
}

}  // namespace

InstallerRequest SplitCommandLine(const char* line, char* bookmarkPath, char* productDir) {
  std::memset(bookmarkPath, 0, MAX_PATH);
  std::memset(productDir, 0, MAX_PATH);
  if (line == nullptr) {
    line = "";
  }
  const char* blank = std::strchr(line, ' ');
  size_t firstLength = blank != nullptr ? static_cast<size_t>(blank - line) : std::strlen(line);

  if (IsRemovalSwitch(line, firstLength)) {
    const char* path = blank != nullptr ? blank + 1 : "";
    size_t length = std::strlen(path);
    if (length >= 2 && path[0] == '"' && path[length - 1] == '"') {
      ++path;
      length -= 2;
    }
    return {CopyPart(bookmarkPath, path, length), TRUE};
  }

  const char* dir = blank != nullptr ? blank + 1 : "";
  if (!CopyPart(bookmarkPath, line, firstLength) || !CopyPart(productDir, dir, std::strlen(dir))) {
    std::memset(bookmarkPath, 0, MAX_PATH);
    return {FALSE, FALSE};
  }
  return {TRUE, FALSE};
}

}  // namespace installer
