// Snaplet's reader of the one message a browser extension sends its native
// messaging host, on any standard input: the framing (a 32-bit length, then
// that many bytes) and the request inside. Every input is refused with a
// reason, which the reply carries intact, or gives a well-formed request
// whose fields are those of the message's JSON.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "launcher/messaging/MessageStream.h"
#include "launcher/messaging/PageRequest.h"
#include "launcher/messaging/Utf8.h"
#include "platform/posix/FilesInternal.h"
#include "rapidjson/document.h"

using fuzz_input::Check;
using native_host::PageRequest;

namespace {

// What a pipe holds without a reader; the fuzzer's inputs are far smaller.
constexpr size_t kPipeBytes = 60000;

// The message as ReadMessage takes it from a pipe.
bool ReadFromPipe(const uint8_t* data, size_t size, std::string* text, std::string* refusal) {
  int ends[2];
  Check(pipe(ends) == 0, "a pipe is made");
  Check(write(ends[1], data, size) == static_cast<ssize_t>(size), "the input fits the pipe");
  close(ends[1]);
  bool read = native_host::ReadMessage(posix_files::HandleFromFd(ends[0]), text, refusal);
  close(ends[0]);
  return read;
}

void CheckReplyCarries(const std::string& reason) {
  Check(!reason.empty(), "a refusal has a reason");
  rapidjson::Document reply;
  std::string text = native_host::RefusedReply(reason);
  reply.Parse(text.data(), text.size());
  Check(!reply.HasParseError() && reply.IsObject() && reply["saved"].IsFalse() &&
            reply["error"].IsString() &&
            std::string(reply["error"].GetString(), reply["error"].GetStringLength()) == reason,
        "the reply is JSON that carries the reason");
}

std::string Member(const rapidjson::Document& document, const char* name) {
  const rapidjson::Value& value = document[name];
  return std::string(value.GetString(), value.GetStringLength());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kPipeBytes) {
    return 0;
  }
  std::string text, refusal;
  bool read = ReadFromPipe(data, size, &text, &refusal);
  uint32_t length = 0;
  if (size >= sizeof length) std::memcpy(&length, data, sizeof length);
  bool whole = size >= sizeof length && length <= native_host::kMaxMessageBytes &&
               size - sizeof length >= length;
  Check(read == whole, "a message is read exactly when its length is allowed and all there");
  if (!read) {
    CheckReplyCarries(refusal);
    return 0;
  }
  Check(text == std::string(reinterpret_cast<const char*>(data) + sizeof length, length),
        "the message is the bytes its length counts");

  PageRequest request;
  if (!native_host::DecodePageRequest(text, &request, &refusal)) {
    CheckReplyCarries(refusal);
    return 0;
  }
  Check(native_host::IsUtf8(text), "an accepted message is UTF-8");
  Check(!request.url.empty(), "an accepted URL is not empty");
  for (const std::string* field : {&request.title, &request.url}) {
    Check(native_host::IsUtf8(*field) && field->find('\0') == std::string::npos,
          "accepted texts are UTF-8 without a zero");
  }
  rapidjson::Document document;
  document.Parse(text.data(), text.size());
  Check(!document.HasParseError() && document.IsObject(), "an accepted message is a JSON object");
  Check(document["mode"].IsNumber() && document["mode"].GetDouble() == (request.mode ? 1.0 : 0.0),
        "the mode is the message's");
  Check(Member(document, "title") == request.title && Member(document, "url") == request.url,
        "the title and the URL are the message's");
  return 0;
}
