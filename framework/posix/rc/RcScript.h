// The tokens of a resource script (.rc), shared by the build steps that
// carry its string tables and its dialogs over to the POSIX build.
//
// Understood: "//" and "/* */" comments; "#define NAME number" (also in the
// headers named by #include "file", found in the header directory; every
// other directive is skipped); decimal, octal and hexadecimal numbers with
// an optional L or U; strings with "" and the C escapes the resource
// compiler takes; words; and every other character as punctuation of its own.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace rc_script {

enum class Kind { Word, Number, String, Punct, End };

struct Token {
  Kind kind;
  std::string text;  // a word or punctuation as written, a string's decoded bytes
  long number;
  int line;
};

typedef std::map<std::string, long> Names;

// The script's tokens, the last of them an End; the names its #define lines
// give go to `names`. False, with a message naming the line, when the
// script cannot be read (an unterminated comment or string, a malformed
// number or escape, a header that cannot be read).
bool Tokenize(const std::string& script, const std::string& headerDirectory, Names* names,
              std::vector<Token>* tokens, std::string* error);

bool IsWord(const Token& token, const char* word);  // letter case aside
bool IsPunct(const Token& token, const char* punct);
bool IsBegin(const Token& token);  // BEGIN or {
bool IsEnd(const Token& token);    // END or }
// DISCARDABLE, PRELOAD and the other flags a resource may carry.
bool IsMemoryFlag(const Token& token);

// A C++ string literal holding exactly these bytes.
std::string CppLiteral(const std::string& bytes);

}  // namespace rc_script
