#include "testing/FakeBrowserText.h"

#include <cctype>

namespace fake_browser {

bool SplitLine(const std::string& line, std::vector<std::string>* tokens) {
  tokens->clear();
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string value;
      ++i;
      bool closed = false;
      while (i < n) {
        if (line[i] == '\\' && i + 1 < n && (line[i + 1] == '"' || line[i + 1] == '\\')) {
          value += line[i + 1];
          i += 2;
        } else if (line[i] == '"') {
          ++i;
          closed = true;
          break;
        } else {
          value += line[i++];
        }
      }
      if (!closed) return false;
      tokens->push_back(value);
    } else {
      const size_t start = i;
      while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n') ++i;
      tokens->push_back(line.substr(start, i - start));
    }
  }
  return true;
}

std::string QuoteToken(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

bool ParseNumber(const std::string& text, uint32_t* id) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFull) return false;
  *id = static_cast<uint32_t>(value);
  return true;
}

bool ParseWindowId(const std::string& text, uint32_t* id) {
  if (text == "-") {
    *id = 0xFFFFFFFFu;
    return true;
  }
  return ParseNumber(text, id);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace fake_browser
