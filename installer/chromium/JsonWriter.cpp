#include "installer/chromium/JsonWriter.h"

#include <cstdio>

#include "installer/chromium/StoreConvention.h"

namespace chromium_store {

namespace {

constexpr size_t kIndentPerLevel = 3;

void AppendEscapedCodePoint(std::string* out, unsigned codePoint) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04X", codePoint);
  out->append(escape);
}

// The browser's own short escapes; null for a byte it writes as it is.
const char* ShortEscape(unsigned char c) {
  switch (c) {
    case '\b':
      return "\\b";
    case '\f':
      return "\\f";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    case '\\':
      return "\\\\";
    case '"':
      return "\\\"";
    case '<':
      // So that no script can start in the browser's output.
      return "\\u003C";
    default:
      return nullptr;
  }
}

// The text is valid UTF-8: the reader accepts no other.
void AppendString(std::string* out, const std::string& text) {
  out->push_back('"');
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (const char* escape = ShortEscape(c)) {
      out->append(escape);
      continue;
    }
    if (c < 0x20) {
      AppendEscapedCodePoint(out, c);
    } else if (c == 0xE2 && i + 2 < text.size() && text[i + 1] == '\x80' &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      // U+2028 and U+2029 end a line in JavaScript.
      AppendEscapedCodePoint(out, text[i + 2] == '\xA8' ? 0x2028 : 0x2029);
      i += 2;
    } else {
      out->push_back(static_cast<char>(c));
    }
  }
  out->push_back('"');
}

void AppendIndent(std::string* out, size_t depth) { out->append(depth * kIndentPerLevel, ' '); }

void AppendValue(std::string* out, const Json& value, size_t depth, std::string_view lineEnd) {
  if (value.is_object()) {
    out->push_back('{');
    out->append(lineEnd);
    bool first = true;
    for (auto member = value.begin(); member != value.end(); ++member) {
      if (!first) {
        out->push_back(',');
        out->append(lineEnd);
      }
      first = false;
      AppendIndent(out, depth + 1);
      AppendString(out, member.key());
      out->append(": ");
      AppendValue(out, member.value(), depth + 1, lineEnd);
    }
    out->append(lineEnd);
    AppendIndent(out, depth);
    out->push_back('}');
  } else if (value.is_array()) {
    out->append("[ ");
    bool first = true;
    for (const Json& element : value) {
      if (!first) {
        out->append(", ");
      }
      first = false;
      AppendValue(out, element, depth, lineEnd);
    }
    out->append(" ]");
  } else if (value.is_string()) {
    AppendString(out, value.get_ref<const std::string&>());
  } else {
    out->append(value.dump());
  }
}

}  // namespace

std::string WriteJson(const Json& value, std::string_view lineEnd) {
  std::string out;
  AppendValue(&out, value, 0, lineEnd);
  out.append(lineEnd);
  return out;
}

std::string_view LineEndOf(std::string_view text) {
  size_t lineFeed = text.find('\n');
  if (lineFeed == std::string_view::npos) {
    return kDefaultLineEnd;
  }
  return lineFeed > 0 && text[lineFeed - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace chromium_store
