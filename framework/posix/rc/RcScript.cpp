#include "framework/posix/rc/RcScript.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace rc_script {

namespace {

bool IsLengthSuffix(char c) { return c != '\0' && std::strchr("LlUu", c) != nullptr; }

int HexDigit(char d) {
  return std::isdigit(static_cast<unsigned char>(d)) ? d - '0'
                                                     : std::tolower(static_cast<unsigned char>(d)) - 'a' + 10;
}

class Lexer {
 public:
  Lexer(const std::string& script, const std::string& headerDirectory, Names* names,
        int includeDepth)
      : s_(script), headers_(headerDirectory), names_(names), includeDepth_(includeDepth) {}

  bool Run(std::vector<Token>* tokens, std::string* error) {
    for (;;) {
      SkipBlanks();
      if (pos_ >= s_.size()) {
        tokens->push_back(Token{Kind::End, "", 0, line_});
        return true;
      }
      char c = s_[pos_];
      if (s_.compare(pos_, 2, "//") == 0) {
        SkipLine();
      } else if (s_.compare(pos_, 2, "/*") == 0) {
        size_t end = s_.find("*/", pos_ + 2);
        if (end == std::string::npos) return Fail(error, "unterminated comment");
        for (size_t i = pos_; i < end; ++i) line_ += s_[i] == '\n';
        pos_ = end + 2;
      } else if (c == '#' && atLineStart_) {
        if (!Directive(error)) return false;
      } else {
        atLineStart_ = false;
        Token token{Kind::Punct, std::string(1, c), 0, line_};
        if (c == '"') {
          token.kind = Kind::String;
          if (!ReadString(&token.text, error)) return false;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
          token.kind = Kind::Number;
          if (!ReadNumber(&token.number, error)) return false;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
          size_t start = pos_;
          while (pos_ < s_.size() &&
                 (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) {
            ++pos_;
          }
          token.kind = Kind::Word;
          token.text = s_.substr(start, pos_ - start);
        } else {
          ++pos_;
        }
        tokens->push_back(token);
      }
    }
  }

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

  bool Directive(std::string* error) {
    size_t end = s_.find('\n', pos_);
    std::string directive =
        s_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_);
    pos_ = end == std::string::npos ? s_.size() : end;
    char name[256];
    char value[64];
    if (std::sscanf(directive.c_str(), "# define %255[A-Za-z0-9_] %63s", name, value) == 2) {
      char* rest = nullptr;
      long number = std::strtol(value, &rest, 0);
      if (rest != value && (*rest == '\0' || IsLengthSuffix(*rest))) {
        (*names_)[name] = number;
      }
      return true;
    }
    char file[1024];
    if (std::sscanf(directive.c_str(), "# include \"%1023[^\"]\"", file) == 1) {
      // Bounded, so that a header including itself ends with an error.
      if (includeDepth_ >= kMaxIncludeDepth) {
        return Fail(error, std::string("headers nested too deeply at ") + file);
      }
      std::ifstream in(headers_ + "/" + file, std::ios::binary);
      if (!in) return Fail(error, std::string("cannot read ") + file);
      std::ostringstream text;
      text << in.rdbuf();
      std::string header = text.str();
      std::vector<Token> ignored;
      Lexer nested(header, headers_, names_, includeDepth_ + 1);
      if (!nested.Run(&ignored, error)) {
        *error = std::string(file) + ": " + *error;
        return false;
      }
    }
    return true;
  }

  bool ReadNumber(long* number, std::string* error) {
    const char* start = s_.c_str() + pos_;
    char* rest = nullptr;
    *number = static_cast<long>(std::strtoul(start, &rest, 0));
    pos_ += static_cast<size_t>(rest - start);
    while (pos_ < s_.size() && IsLengthSuffix(s_[pos_])) ++pos_;
    if (pos_ < s_.size() && std::isalnum(static_cast<unsigned char>(s_[pos_]))) {
      return Fail(error, "malformed number");
    }
    return true;
  }

  bool ReadString(std::string* text, std::string* error) {
    text->clear();
    ++pos_;  // the opening quote
    for (;;) {
      if (pos_ >= s_.size() || s_[pos_] == '\n') return Fail(error, "unterminated string");
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
      if (pos_ >= s_.size()) return Fail(error, "unterminated string");
      if (!ReadEscape(text, error)) return false;
    }
  }

  // After a backslash: the one byte the escape stands for.
  bool ReadEscape(std::string* text, std::string* error) {
    static const char kSimple[] = "n\nt\tr\ra\ab\bf\fv\v\\\\\"\"''";
    char e = s_[pos_++];
    for (size_t i = 0; kSimple[i] != '\0'; i += 2) {
      if (kSimple[i] == e) {
        text->push_back(kSimple[i + 1]);
        return true;
      }
    }
    unsigned value = 0;
    if (e == 'x') {
      int digits = 0;
      for (; digits < 2 && pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]));
           ++digits) {
        value = value * 16 + static_cast<unsigned>(HexDigit(s_[pos_++]));
      }
      if (digits == 0) return Fail(error, "\\x without digits");
    } else if (e >= '0' && e <= '7') {
      value = static_cast<unsigned>(e - '0');
      for (int digits = 1; digits < 3 && pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '7';
           ++digits) {
        value = value * 8 + static_cast<unsigned>(s_[pos_++] - '0');
      }
    } else {
      return Fail(error, std::string("unknown escape \\") + e);
    }
    text->push_back(static_cast<char>(value & 0xFF));
    return true;
  }

  const std::string& s_;
  const std::string headers_;
  static constexpr int kMaxIncludeDepth = 16;

  Names* names_;
  const int includeDepth_;
  size_t pos_ = 0;
  int line_ = 1;
  bool atLineStart_ = true;
};

}  // namespace

bool Tokenize(const std::string& script, const std::string& headerDirectory, Names* names,
              std::vector<Token>* tokens, std::string* error) {
  Lexer lexer(script, headerDirectory, names, 0);
  return lexer.Run(tokens, error);
}

bool IsWord(const Token& token, const char* word) {
  return token.kind == Kind::Word && strcasecmp(token.text.c_str(), word) == 0;
}

bool IsPunct(const Token& token, const char* punct) {
  return token.kind == Kind::Punct && token.text == punct;
}

bool IsBegin(const Token& token) { return IsPunct(token, "{") || IsWord(token, "BEGIN"); }
bool IsEnd(const Token& token) { return IsPunct(token, "}") || IsWord(token, "END"); }

bool IsMemoryFlag(const Token& token) {
  for (const char* flag :
       {"DISCARDABLE", "PRELOAD", "LOADONCALL", "MOVEABLE", "FIXED", "PURE", "IMPURE"}) {
    if (IsWord(token, flag)) return true;
  }
  return false;
}

std::string CppLiteral(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    // '?' too, so that no two of them make a trigraph.
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
      out.push_back(static_cast<char>(c));
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\%03o", c);
      out += escaped;
    }
  }
  return out + "\"";
}

}  // namespace rc_script
