#include "launcher/messaging/PageRequest.h"

#include <cstring>

#include "launcher/messaging/Utf8.h"
#include "rapidjson/document.h"

namespace native_host {

namespace {

constexpr const char* kKnownMembers[] = {"mode", "title", "url"};

// A member named twice would leave it open which value counts: JavaScript
// takes the last, most parsers the first.
bool NamesAMemberTwice(const rapidjson::Value& object, std::string* name) {
  for (const char* known : kKnownMembers) {
    int count = 0;
    for (auto member = object.MemberBegin(); member != object.MemberEnd(); ++member) {
      if (std::strcmp(member->name.GetString(), known) == 0 &&
          member->name.GetStringLength() == std::strlen(known)) {
        ++count;
      }
    }
    if (count > 1) {
      *name = known;
      return true;
    }
  }
  return false;
}

std::string Text(const rapidjson::Value& value) {
  return std::string(value.GetString(), value.GetStringLength());
}

}  // namespace

bool DecodePageRequest(const std::string& text, PageRequest* request, std::string* refusal) {
  if (!IsUtf8(text)) {
    *refusal = "the message is not valid UTF-8";
    return false;
  }
  // The parser takes a zero byte for the end of the text; JSON has none
  // outside a string's escapes anyway. Iterative parsing: no nesting depth
  // can exhaust the stack.
  rapidjson::Document document;
  if (text.find('\0') != std::string::npos ||
      document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size()).HasParseError() ||
      !document.IsObject()) {
    *refusal = "the message is not a JSON object";
    return false;
  }
  std::string twice;
  if (NamesAMemberTwice(document, &twice)) {
    *refusal = "the message names \"" + twice + "\" more than once";
    return false;
  }
  auto mode = document.FindMember("mode");
  if (mode == document.MemberEnd() || !mode->value.IsNumber() ||
      (mode->value.GetDouble() != 0.0 && mode->value.GetDouble() != 1.0)) {
    *refusal = "\"mode\" is not 0 or 1";
    return false;
  }
  auto title = document.FindMember("title");
  if (title == document.MemberEnd() || !title->value.IsString()) {
    *refusal = "\"title\" is not a string";
    return false;
  }
  auto url = document.FindMember("url");
  if (url == document.MemberEnd() || !url->value.IsString() || url->value.GetStringLength() == 0) {
    *refusal = "\"url\" is not a non-empty string";
    return false;
  }
  std::string titleText = Text(title->value);
  std::string urlText = Text(url->value);
  // Both go on as zero-terminated text, and to Windows as UTF-16: an escaped
  // zero or a lone surrogate (\uDC00) could not arrive whole.
  if (titleText.find('\0') != std::string::npos || urlText.find('\0') != std::string::npos) {
    *refusal = "the title or the URL holds a zero character";
    return false;
  }
  if (!IsUtf8(titleText) || !IsUtf8(urlText)) {
    *refusal = "the title or the URL is not valid Unicode";
    return false;
  }
  request->mode = mode->value.GetDouble() == 1.0 ? TRUE : FALSE;
  request->title = titleText;
  request->url = urlText;
  return true;
}

}  // namespace native_host
