// The resource-script tokenizer on any script, its headers read from
// fuzz/rc_headers (one includes itself, two include each other): it ends,
// with tokens closed by an End or with a message, and every token's text
// is carried by the C++ literal made of it.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/posix/rc/RcScript.h"
#include "fuzz/FuzzSupport.h"

using fuzz_input::Check;

namespace {

// The bytes a C++ literal written by CppLiteral stands for: plain
// characters and three-digit octal escapes between its quotes.
std::string LiteralBytes(const std::string& literal) {
  std::string bytes;
  for (size_t i = 1; i + 1 < literal.size(); ++i) {
    if (literal[i] == '\\' && i + 3 < literal.size()) {
      bytes.push_back(static_cast<char>((literal[i + 1] - '0') * 64 + (literal[i + 2] - '0') * 8 +
                                        (literal[i + 3] - '0')));
      i += 3;
    } else {
      bytes.push_back(literal[i]);
    }
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  rc_script::Names names;
  std::vector<rc_script::Token> tokens;
  std::string error;
  if (rc_script::Tokenize(script, FUZZ_RC_HEADERS, &names, &tokens, &error)) {
    Check(!tokens.empty() && tokens.back().kind == rc_script::Kind::End, "tokens end with End");
    for (const rc_script::Token& token : tokens) {
      // Generated tables carry strings as literals: every byte must survive.
      Check(LiteralBytes(rc_script::CppLiteral(token.text)) == token.text,
            "a literal stands for the token's bytes");
    }
  } else {
    Check(!error.empty(), "a script not read says why");
  }
  return 0;
}
