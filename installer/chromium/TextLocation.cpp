#include "installer/chromium/TextLocation.h"

#include <string>

namespace chromium_store {

namespace {

constexpr size_t kNotFound = std::string_view::npos;

// A walk over valid JSON text by positions.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  size_t SkipBlanks(size_t at) const {
    while (at < text_.size() &&
           (text_[at] == ' ' || text_[at] == '\t' || text_[at] == '\n' || text_[at] == '\r')) {
      ++at;
    }
    return at;
  }

  // From an opening quote to just after the closing one.
  size_t SkipString(size_t at) const {
    for (++at; at < text_.size(); ++at) {
      if (text_[at] == '\\') {
        ++at;
      } else if (text_[at] == '"') {
        return at + 1;
      }
    }
    return text_.size();
  }

  size_t SkipValue(size_t at) const {
    at = SkipBlanks(at);
    if (at >= text_.size()) {
      return at;
    }
    if (text_[at] == '"') {
      return SkipString(at);
    }
    if (text_[at] != '{' && text_[at] != '[') {
      while (at < text_.size() && text_.substr(at, 1).find_first_of(",}] \t\r\n") == kNotFound) {
        ++at;
      }
      return at;
    }
    size_t depth = 0;
    for (; at < text_.size(); ++at) {
      char c = text_[at];
      if (c == '"') {
        at = SkipString(at) - 1;
      } else if (c == '{' || c == '[') {
        ++depth;
      } else if ((c == '}' || c == ']') && --depth == 0) {
        return at + 1;
      }
    }
    return at;
  }

  // The value of the object's last member of that name (written without
  // escapes), for an object opening at the given position.
  size_t MemberValue(size_t object, std::string_view name) const {
    size_t found = kNotFound;
    size_t at = SkipBlanks(object);
    if (at >= text_.size() || text_[at] != '{') {
      return kNotFound;
    }
    at = SkipBlanks(at + 1);
    while (at < text_.size() && text_[at] == '"') {
      size_t keyEnd = SkipString(at);
      std::string_view key = text_.substr(at + 1, keyEnd - at - 2);
      at = SkipBlanks(keyEnd);
      if (at >= text_.size() || text_[at] != ':') {
        return kNotFound;
      }
      size_t value = SkipBlanks(at + 1);
      if (key == name) {
        found = value;
      }
      at = SkipBlanks(SkipValue(value));
      if (at < text_.size() && text_[at] == ',') {
        at = SkipBlanks(at + 1);
      }
    }
    return found;
  }

  size_t Element(size_t array, size_t index) const {
    size_t at = SkipBlanks(array);
    if (at >= text_.size() || text_[at] != '[') {
      return kNotFound;
    }
    at = SkipBlanks(at + 1);
    for (size_t i = 0; at < text_.size() && text_[at] != ']'; ++i) {
      if (i == index) {
        return at;
      }
      at = SkipBlanks(SkipValue(at));
      if (at < text_.size() && text_[at] == ',') {
        at = SkipBlanks(at + 1);
      }
    }
    return kNotFound;
  }

 private:
  std::string_view text_;
};

}  // namespace

size_t LineOfRootChild(std::string_view text, std::string_view root, size_t index) {
  Cursor cursor(text);
  size_t at = cursor.MemberValue(0, "roots");
  at = at == kNotFound ? kNotFound : cursor.MemberValue(at, root);
  at = at == kNotFound ? kNotFound : cursor.MemberValue(at, "children");
  at = at == kNotFound ? kNotFound : cursor.Element(at, index);
  if (at == kNotFound) {
    return 0;
  }
  size_t line = 1;
  for (size_t i = 0; i < at; ++i) {
    // CR LF, a lone LF and a lone CR each end a line.
    if (text[i] == '\n' || (text[i] == '\r' && text[i + 1] != '\n')) {
      ++line;
    }
  }
  return line;
}

}  // namespace chromium_store
