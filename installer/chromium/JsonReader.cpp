#include "installer/chromium/JsonReader.h"

namespace chromium_store {

namespace {

// Checked on the text first, so that nothing deeper is ever built.
bool NestsWithinLimit(std::string_view text) {
  size_t depth = 0;
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxNestingDepth) {
        return false;
      }
    } else if ((c == '}' || c == ']') && depth > 0) {
      --depth;
    }
  }
  return true;
}

}  // namespace

bool ParseJson(std::string_view text, Json* value) {
  if (!NestsWithinLimit(text)) {
    return false;
  }
  try {
    *value = Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/false);
  } catch (const Json::exception&) {
    return false;
  }
  return !value->is_discarded();
}

}  // namespace chromium_store
