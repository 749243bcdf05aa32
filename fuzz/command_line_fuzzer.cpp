// The installer's command-line split on any line: both buffers stay within
// their MAX_PATH bytes and end in a NUL; a line that is split gives back
// exactly the line (path, one blank, directory, which loses one pair of
// double quotes around it whole), and it is refused only when a part would
// not fit; a line that starts with a double quote gives back the quoted
// path, one blank and the directory, and is refused only when the quote is
// not closed before a blank or the end, or a part would not fit; a removal
// names no product directory and keeps the path as the line ends with it.
// After a NUL, the input may give the first argument as the platform hands
// it over on its own: a line that starts with it (but for its leading
// blanks) and no quote, then a blank or the end, splits after it instead.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "installer/CommandLine.h"

using fuzz_input::Check;

namespace {

// What the framework skips before the first argument: blanks and control characters.
const std::string kBlanks = [] {
  std::string blanks;
  for (int c = 1; c <= ' '; ++c) blanks += static_cast<char>(c);
  return blanks;
}();

// A product directory wholly inside double quotes loses them.
std::string Unquoted(const std::string& part) {
  bool quoted = part.size() >= 2 && part.front() == '"' && part.back() == '"';
  return quoted ? part.substr(1, part.size() - 2) : part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The program gets its line as a C string.
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string line = input.c_str();
  const char* firstArgument =
      line.size() < input.size() ? input.c_str() + line.size() + 1 : nullptr;
  // Heap buffers of exactly MAX_PATH bytes, so that a byte past the end is
  // caught by the address checks.
  std::unique_ptr<char[]> bookmarkPath(new char[MAX_PATH]);
  std::unique_ptr<char[]> productDir(new char[MAX_PATH]);
  installer::InstallerRequest request = installer::SplitCommandLine(
      line.c_str(), bookmarkPath.get(), productDir.get(), firstArgument);
  Check(strnlen(bookmarkPath.get(), MAX_PATH) < MAX_PATH, "the bookmark path ends in its buffer");
  Check(strnlen(productDir.get(), MAX_PATH) < MAX_PATH, "the product directory ends in its buffer");
  std::string path = bookmarkPath.get();
  std::string dir = productDir.get();

  if (request.removal) {
    Check(dir.empty(), "a removal names no product directory");
    if (request.usable) {
      bool endsWithPath = line.size() >= path.size() &&
                          line.compare(line.size() - path.size(), path.size(), path) == 0;
      bool endsWithQuotedPath = line.size() >= path.size() + 1 && line.back() == '"' &&
                                line.compare(line.size() - path.size() - 1, path.size(), path) == 0;
      Check(endsWithPath || endsWithQuotedPath, "a removal's path is the end of the line");
    }
    return 0;
  }

  Check(static_cast<bool>(request.usable) == (request.problem == nullptr),
        "a refused line, and only a refused one, says why");
  if (!line.empty() && line[0] == '"') {
    // A quoted bookmark path: the quote closes before a blank or the end.
    size_t close = line.find('"', 1);
    bool closed =
        close != std::string::npos && (close + 1 == line.size() || line[close + 1] == ' ');
    std::string dirPart = closed && close + 1 < line.size() ? line.substr(close + 2) : "";
    bool fits = closed && close - 1 < MAX_PATH && Unquoted(dirPart).size() < MAX_PATH;
    Check(static_cast<bool>(request.usable) == fits,
          "a quoted line is refused only when unclosed or a part is too long");
    if (request.usable) {
      Check(path == line.substr(1, close - 1) && dir == Unquoted(dirPart),
            "the parts are the line: the quoted path, one blank, the directory");
    }
    return 0;
  }
  size_t firstLength = std::min(line.find(' '), line.size());
  if (firstArgument != nullptr) {
    std::string argument = firstArgument;
    argument.erase(0, std::min(argument.find_first_not_of(kBlanks), argument.size()));
    if (!argument.empty() && line.compare(0, argument.size(), argument) == 0 &&
        (line.size() == argument.size() || line[argument.size()] == ' ')) {
      firstLength = argument.size();
    }
  }
  std::string dirPart = firstLength < line.size() ? line.substr(firstLength + 1) : "";
  bool fits = firstLength < MAX_PATH && Unquoted(dirPart).size() < MAX_PATH;
  Check(static_cast<bool>(request.usable) == fits,
        "a line is refused only when a part is too long");
  if (request.usable) {
    Check(path == line.substr(0, firstLength) && dir == Unquoted(dirPart),
          "the parts are the line, split at its first blank or after the first argument");
  }
  return 0;
}
