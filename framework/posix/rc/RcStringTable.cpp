#include "framework/posix/rc/RcStringTable.h"

#include <set>

#include "framework/posix/rc/RcScript.h"

namespace rc_strings {

namespace {

using rc_script::IsBegin;
using rc_script::IsEnd;
using rc_script::IsMemoryFlag;
using rc_script::IsPunct;
using rc_script::IsWord;
using rc_script::Kind;
using rc_script::Names;
using rc_script::Token;

// One statement before BEGIN: a keyword and its comma-separated numbers.
bool IsStatement(const Token& token) {
  return IsWord(token, "LANGUAGE") || IsWord(token, "VERSION") || IsWord(token, "CHARACTERISTICS");
}

bool IsLanguageName(const Token& token) {
  return token.kind == Kind::Word &&
         (token.text.rfind("LANG_", 0) == 0 || token.text.rfind("SUBLANG_", 0) == 0);
}

}  // namespace

bool ParseStringTables(const std::string& script, const std::string& headerDirectory,
                       std::vector<Entry>* entries, std::string* error) {
  Names names;
  std::vector<Token> tokens;
  if (!rc_script::Tokenize(script, headerDirectory, &names, &tokens, error)) return false;
  std::set<long> seen;
  auto fail = [&](const Token& at, const std::string& what) {
    *error = "line " + std::to_string(at.line) + ": " + what;
    return false;
  };
  auto isName = [&](const Token& token) {
    return token.kind == Kind::Word && names.count(token.text) != 0;
  };
  // The token list ends with an End, which no loop below steps over.
  size_t i = 0;
  while (tokens[i].kind != Kind::End) {
    if (!IsWord(tokens[i++], "STRINGTABLE")) continue;
    // Flags and statements, then the block.
    while (!IsBegin(tokens[i])) {
      const Token& token = tokens[i];
      if (!(IsStatement(token) || IsMemoryFlag(token) || token.kind == Kind::Number ||
            IsPunct(token, ",") || isName(token) || IsLanguageName(token))) {
        return fail(token, "expected BEGIN after STRINGTABLE");
      }
      ++i;
    }
    ++i;
    while (!IsEnd(tokens[i])) {
      const Token& token = tokens[i];
      long id = 0;
      if (token.kind == Kind::Number) {
        id = token.number;
      } else if (isName(token)) {
        id = names[token.text];
      } else {
        return fail(token,
                    token.kind == Kind::End ? "STRINGTABLE without END" : "expected a string id");
      }
      if (id < 0 || id > 0xFFFF) {
        return fail(token, "string id outside 0 to 65535");
      }
      ++i;
      if (IsPunct(tokens[i], ",")) ++i;
      const Token& text = tokens[i];
      if (text.kind != Kind::String) {
        return fail(text, "expected a string after id " + std::to_string(id));
      }
      if (!seen.insert(id).second) {
        return fail(text, "string id " + std::to_string(id) + " given twice");
      }
      entries->push_back(Entry{static_cast<unsigned>(id), text.text});
      ++i;
    }
    ++i;
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
      out += "    {" + std::to_string(entry.id) + "u, " + rc_script::CppLiteral(entry.text) + "},\n";
    }
    out += "};\n\n";
    out += "const posix_windows::StringTableRegistration kRegistration(kStrings, " +
           std::to_string(entries.size()) + ");\n";
  }
  out += "\n}  // namespace\n";
  return out;
}

}  // namespace rc_strings
