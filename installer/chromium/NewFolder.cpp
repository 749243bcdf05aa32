#include "installer/chromium/NewFolder.h"

#include <cstdio>

namespace installer::chromium {

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

// Writes members one to a line, each with its indentation and the line end
// before the next.
class MemberLines {
 public:
  MemberLines(std::string* out, size_t indent, std::string_view lineEnd)
      : out_(out), indent_(indent), lineEnd_(lineEnd) {}

  // "name": value (value as it is written).
  void Add(std::string_view name, std::string_view value) {
    Start();
    out_->append(QuotedString(name)).append(": ").append(value);
  }
  void AddString(std::string_view name, std::string_view value) { Add(name, QuotedString(value)); }

  // The close of the object, one level out.
  void Close() { out_->append(lineEnd_).append(indent_ - kIndentPerLevel, ' ').push_back('}'); }

 private:
  void Start() {
    if (!first_) {
      out_->push_back(',');
    }
    first_ = false;
    out_->append(lineEnd_).append(indent_, ' ');
  }

  std::string* out_;
  size_t indent_;
  std::string_view lineEnd_;
  bool first_ = true;
};

}  // namespace

std::string QuotedString(std::string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (const char* escape = ShortEscape(c)) {
      out.append(escape);
    } else if (c < 0x20) {
      AppendEscapedCodePoint(&out, c);
    } else if (c == 0xE2 && i + 2 < text.size() && text[i + 1] == '\x80' &&
               (text[i + 2] == '\xA8' || text[i + 2] == '\xA9')) {
      // U+2028 and U+2029 end a line in JavaScript.
      AppendEscapedCodePoint(&out, text[i + 2] == '\xA8' ? 0x2028 : 0x2029);
      i += 2;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  out.push_back('"');
  return out;
}

std::string FolderText(const NewFolder& folder, size_t indent, std::string_view lineEnd) {
  const size_t folderIndent = indent + kIndentPerLevel;
  const size_t linkIndent = folderIndent + kIndentPerLevel;
  std::string links = "[ ";
  for (size_t i = 0; i < installer::shared::kProductLinkCount; ++i) {
    if (i > 0) {
      links.append(", ");
    }
    links.push_back('{');
    MemberLines link(&links, linkIndent, lineEnd);
    link.AddString("date_added", folder.date);
    link.AddString("date_last_used", "0");
    link.AddString("guid", folder.links[i].guid);
    link.AddString("id", folder.links[i].id);
    link.AddString("name", installer::shared::kProductLinks[i].title);
    link.AddString("type", "url");
    link.AddString("url", folder.urls[i]);
    link.Close();
  }
  links.append(" ]");

  std::string text = "{";
  MemberLines members(&text, folderIndent, lineEnd);
  members.Add("children", links);
  members.AddString("date_added", folder.date);
  members.AddString("date_last_used", "0");
  members.AddString("date_modified", folder.date);
  members.AddString("guid", folder.folder.guid);
  members.AddString("id", folder.folder.id);
  members.AddString("name", installer::shared::kFolderTitle);
  members.AddString("type", "folder");
  members.Close();
  return text;
}

}  // namespace installer::chromium
