#include "framework/posix/rc/RcStringTable.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

namespace rc_strings {

namespace {

enum class Kind { Word, Number, String, Comma, Open, Close, End };

struct Token {
  Kind kind;
  std::string text;  // a word as written, a string's decoded bytes
  unsigned long number;
  int line;
};

class Lexer {
 public:
  explicit Lexer(const std::string& script) : s_(script) {}

  // The next token; macros defined by "#define NAME number" go to `names`.
  bool Next(Token* token, std::map<std::string, unsigned long>* names, std::string* error) {
    for (;;) {
      SkipBlanks();
      if (pos_ >= s_.size()) {
        *token = Token{Kind::End, "", 0, line_};
        return true;
      }
      if (s_.compare(pos_, 2, "//") == 0) {
        SkipLine();
      } else if (s_.compare(pos_, 2, "/*") == 0) {
        size_t end = s_.find("*/", pos_ + 2);
        if (end == std::string::npos) {
          return Fail(error, "unterminated comment");
        }
        for (size_t i = pos_; i < end; ++i) line_ += s_[i] == '\n';
        pos_ = end + 2;
      } else if (s_[pos_] == '#' && atLineStart_) {
        ReadDirective(names);
      } else {
        break;
      }
    }
    atLineStart_ = false;
    token->line = line_;
    char c = s_[pos_];
    if (c == ',') {
      ++pos_;
      token->kind = Kind::Comma;
      return true;
    }
    if (c == '{' || c == '}') {
      ++pos_;
      token->kind = c == '{' ? Kind::Open : Kind::Close;
      return true;
    }
    if (c == '"') {
      token->kind = Kind::String;
      return ReadString(&token->text, error);
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      token->kind = Kind::Number;
      return ReadNumber(&token->number, error);
    }
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t start = pos_;
      while (pos_ < s_.size() &&
             (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) {
        ++pos_;
      }
      token->kind = Kind::Word;
      token->text = s_.substr(start, pos_ - start);
      return true;
    }
    // Punctuation of other resources (operators, parentheses...): a word of its own.
    token->kind = Kind::Word;
    token->text = std::string(1, c);
    ++pos_;
    return true;
  }

  int line() const { return line_; }

 private:
  bool Fail(std::string* error, const std::string& what) {
    *error = "line " + std::to_string(line_) + ": " + what;
    return false;
  }

  void SkipBlanks() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) {
      if (s_[pos_] == '\n') {
        ++line_;
        atLineStart_ = true;
      }
      ++pos_;
    }
  }

  void SkipLine() {
    while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
  }

  void ReadDirective(std::map<std::string, unsigned long>* names) {
    size_t end = s_.find('\n', pos_);
    std::string directive =
        s_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_);
    pos_ = end == std::string::npos ? s_.size() : end;
    char name[256];
    char value[64];
    if (std::sscanf(directive.c_str(), "# define %255[A-Za-z0-9_] %63s", name, value) == 2) {
      char* rest = nullptr;
      unsigned long number = std::strtoul(value, &rest, 0);
      if (rest != value &&
          (*rest == '\0' || *rest == 'L' || *rest == 'l' || *rest == 'U' || *rest == 'u')) {
        (*names)[name] = number;
      }
    }
  }

  bool ReadNumber(unsigned long* number, std::string* error) {
    const char* start = s_.c_str() + pos_;
    char* rest = nullptr;
    *number = std::strtoul(start, &rest, 0);
    pos_ += static_cast<size_t>(rest - start);
    while (pos_ < s_.size() &&
           (s_[pos_] == 'L' || s_[pos_] == 'l' || s_[pos_] == 'U' || s_[pos_] == 'u')) {
      ++pos_;
    }
    if (pos_ < s_.size() && std::isalnum(static_cast<unsigned char>(s_[pos_]))) {
      return Fail(error, "malformed number");
    }
    return true;
  }

  bool ReadString(std::string* text, std::string* error) {
    text->clear();
    ++pos_;  // the opening quote
    for (;;) {
      if (pos_ >= s_.size() || s_[pos_] == '\n') {
        return Fail(error, "unterminated string");
      }
      char c = s_[pos_++];
      if (c == '"') {
        if (pos_ < s_.size() && s_[pos_] == '"') {
          text->push_back('"');
          ++pos_;
          continue;
        }
        return true;
      }
      if (c != '\\') {
        text->push_back(c);
        continue;
      }
      if (pos_ >= s_.size()) {
        return Fail(error, "unterminated string");
      }
      char e = s_[pos_++];
      switch (e) {
        case 'n':
          text->push_back('\n');
          break;
        case 't':
          text->push_back('\t');
          break;
        case 'r':
          text->push_back('\r');
          break;
        case 'a':
          text->push_back('\a');
          break;
        case 'b':
          text->push_back('\b');
          break;
        case 'f':
          text->push_back('\f');
          break;
        case 'v':
          text->push_back('\v');
          break;
        case '\\':
          text->push_back('\\');
          break;
        case '"':
          text->push_back('"');
          break;
        case '\'':
          text->push_back('\'');
          break;
        case 'x': {
          unsigned value = 0;
          int digits = 0;
          while (digits < 2 && pos_ < s_.size() &&
                 std::isxdigit(static_cast<unsigned char>(s_[pos_]))) {
            char d = s_[pos_++];
            value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(d))
                                                           ? d - '0'
                                                           : std::tolower(d) - 'a' + 10);
            ++digits;
          }
          if (digits == 0) {
            return Fail(error, "\\x without digits");
          }
          text->push_back(static_cast<char>(value));
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            unsigned value = static_cast<unsigned>(e - '0');
            for (int digits = 1;
                 digits < 3 && pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '7'; ++digits) {
              value = value * 8 + static_cast<unsigned>(s_[pos_++] - '0');
            }
            text->push_back(static_cast<char>(value & 0xFF));
          } else {
            return Fail(error, std::string("unknown escape \\") + e);
          }
      }
    }
  }

  const std::string& s_;
  size_t pos_ = 0;
  int line_ = 1;
  bool atLineStart_ = true;
};

bool IsWord(const Token& token, const char* word) {
  return token.kind == Kind::Word && strcasecmp(token.text.c_str(), word) == 0;
}

bool IsBegin(const Token& token) { return token.kind == Kind::Open || IsWord(token, "BEGIN"); }
bool IsEnd(const Token& token) { return token.kind == Kind::Close || IsWord(token, "END"); }

bool IsMemoryFlag(const Token& token) {
  for (const char* flag :
       {"DISCARDABLE", "PRELOAD", "LOADONCALL", "MOVEABLE", "FIXED", "PURE", "IMPURE"}) {
    if (IsWord(token, flag)) return true;
  }
  return false;
}

// One statement before BEGIN: a keyword and its comma-separated numbers.
bool IsStatement(const Token& token) {
  return IsWord(token, "LANGUAGE") || IsWord(token, "VERSION") || IsWord(token, "CHARACTERISTICS");
}

}  // namespace

bool ParseStringTables(const std::string& script, std::vector<Entry>* entries, std::string* error) {
  Lexer lexer(script);
  std::map<std::string, unsigned long> names;
  std::set<unsigned> seen;
  auto fail = [&](const Token& at, const std::string& what) {
    *error = "line " + std::to_string(at.line) + ": " + what;
    return false;
  };
  Token token;
  if (!lexer.Next(&token, &names, error)) return false;
  while (token.kind != Kind::End) {
    if (!IsWord(token, "STRINGTABLE")) {
      if (!lexer.Next(&token, &names, error)) return false;
      continue;
    }
    // Flags and statements, then the block.
    if (!lexer.Next(&token, &names, error)) return false;
    while (!IsBegin(token)) {
      if (IsStatement(token) || IsMemoryFlag(token) || token.kind == Kind::Number ||
          token.kind == Kind::Comma || (token.kind == Kind::Word && names.count(token.text))) {
        if (!lexer.Next(&token, &names, error)) return false;
        continue;
      }
      if (token.kind == Kind::Word &&
          (token.text.rfind("LANG_", 0) == 0 || token.text.rfind("SUBLANG_", 0) == 0)) {
        if (!lexer.Next(&token, &names, error)) return false;
        continue;
      }
      return fail(token, "expected BEGIN after STRINGTABLE");
    }
    if (!lexer.Next(&token, &names, error)) return false;
    while (!IsEnd(token)) {
      unsigned long id = 0;
      if (token.kind == Kind::Number) {
        id = token.number;
      } else if (token.kind == Kind::Word && names.count(token.text)) {
        id = names[token.text];
      } else {
        return fail(token,
                    token.kind == Kind::End ? "STRINGTABLE without END" : "expected a string id");
      }
      if (id > 0xFFFF) {
        return fail(token, "string id over 65535");
      }
      Token text;
      if (!lexer.Next(&text, &names, error)) return false;
      if (text.kind == Kind::Comma && !lexer.Next(&text, &names, error)) return false;
      if (text.kind != Kind::String) {
        return fail(text, "expected a string after id " + std::to_string(id));
      }
      if (!seen.insert(static_cast<unsigned>(id)).second) {
        return fail(text, "string id " + std::to_string(id) + " given twice");
      }
      entries->push_back(Entry{static_cast<unsigned>(id), text.text});
      if (!lexer.Next(&token, &names, error)) return false;
    }
    if (!lexer.Next(&token, &names, error)) return false;
  }
  return true;
}

std::string GenerateSource(const std::vector<Entry>& entries, const std::string& origin) {
  std::string out = "// Generated from " + origin + "; edit that file instead.\n";
  out += "#include \"platform/posix/WindowsStrings.h\"\n\nnamespace {\n\n";
  if (entries.empty()) {
    out += "const posix_windows::StringTableRegistration kRegistration(nullptr, 0);\n";
  } else {
    out += "const posix_windows::StringResource kStrings[] = {\n";
    for (const Entry& entry : entries) {
      out += "    {" + std::to_string(entry.id) + "u, \"";
      for (unsigned char c : entry.text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
          out.push_back(static_cast<char>(c));
        } else {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\%03o", c);
          out += escaped;
        }
      }
      out += "\"},\n";
    }
    out += "};\n\n";
    out += "const posix_windows::StringTableRegistration kRegistration(kStrings, " +
           std::to_string(entries.size()) + ");\n";
  }
  out += "\n}  // namespace\n";
  return out;
}

}  // namespace rc_strings
