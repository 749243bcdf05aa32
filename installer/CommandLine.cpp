#include "installer/CommandLine.h"

#include <cstring>

#include "installer/ProgramConventions.h"

namespace installer {

namespace {

constexpr char kTooLong[] = "path too long (259 characters at most), nothing changed";
constexpr char kUnclosedQuote[] =
    "a quoted path must end with a double quote and then a blank or the end, nothing changed";

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

// Where the first part of the line ends: after the first argument when the
// platform handed it over and the line starts with it, else at the first blank.
size_t FirstPartLength(const char* line, const char* firstArgument) {
  if (firstArgument != nullptr) {
    while (*firstArgument != '\0' && static_cast<unsigned char>(*firstArgument) <= ' ') {
      ++firstArgument;
    }
    size_t length = std::strlen(firstArgument);
    if (length > 0 && std::strncmp(line, firstArgument, length) == 0 &&
        (line[length] == '\0' || line[length] == ' ')) {
      return length;
    }
  }
  const char* blank = std::strchr(line, ' ');
  return blank != nullptr ? static_cast<size_t>(blank - line) : std::strlen(line);
}

// One pair of double quotes around the whole text is dropped.
void DropEnclosingQuotes(const char** text, size_t* length) {
  if (*length >= 2 && (*text)[0] == '"' && (*text)[*length - 1] == '"') {
    ++*text;
    *length -= 2;
  }
}

}  // namespace

InstallerRequest SplitCommandLine(const char* line, char* bookmarkPath, char* productDir,
                                  const char* firstArgument) {
  std::memset(bookmarkPath, 0, MAX_PATH);
  std::memset(productDir, 0, MAX_PATH);
  if (line == nullptr) {
    line = "";
  }
  const char* first = line;
  size_t firstLength = 0;
  const char* dir = "";
  if (line[0] == '"') {
    // A path with blanks comes in double quotes, as Windows passes one. No
    // Windows file name holds a quote, so no line that named a file before
    // means anything else now.
    const char* close = std::strchr(line + 1, '"');
    if (close == nullptr || (close[1] != '\0' && close[1] != ' ')) {
      return {FALSE, FALSE, kUnclosedQuote};
    }
    first = line + 1;
    firstLength = static_cast<size_t>(close - first);
    dir = close[1] == ' ' ? close + 2 : "";
  } else {
    firstLength = FirstPartLength(line, firstArgument);
    dir = line[firstLength] == ' ' ? line + firstLength + 1 : "";
    if (IsRemovalSwitch(line, firstLength)) {
      // Everything after the switch and one blank is the path.
      size_t length = std::strlen(dir);
      DropEnclosingQuotes(&dir, &length);
      BOOL fits = CopyPart(bookmarkPath, dir, length);
      return {fits, TRUE, fits ? nullptr : kTooLong};
    }
  }
  size_t dirLength = std::strlen(dir);
  DropEnclosingQuotes(&dir, &dirLength);
  if (!CopyPart(bookmarkPath, first, firstLength) || !CopyPart(productDir, dir, dirLength)) {
    std::memset(bookmarkPath, 0, MAX_PATH);
    return {FALSE, FALSE, kTooLong};
  }
  return {TRUE, FALSE, nullptr};
}

}  // namespace installer
