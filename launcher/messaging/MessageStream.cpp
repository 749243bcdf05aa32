#include "launcher/messaging/MessageStream.h"

#include <cstring>

#include "rapidjson/stringbuffer.h"
#include "rapidjson/writer.h"

namespace native_host {

namespace {

// A pipe hands over what it has; a short read is not the end of the stream.
// The end shows as a read of nothing, or (Windows) as a broken pipe.
bool ReadExactly(HANDLE input, char* buffer, DWORD count) {
  DWORD done = 0;
  while (done < count) {
    DWORD got = 0;
    if (!::ReadFile(input, buffer + done, count - done, &got, nullptr) || got == 0) {
      return false;
    }
    done += got;
  }
  return true;
}

std::string Reply(bool saved, const std::string& reason) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  writer.StartObject();
  writer.Key("saved");
  writer.Bool(saved);
  if (!saved) {
    writer.Key("error");
    writer.String(reason.data(), static_cast<rapidjson::SizeType>(reason.size()));
  }
  writer.EndObject();
  return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace

bool ReadMessage(HANDLE input, std::string* text, std::string* refusal) {
  uint32_t length = 0;
  char header[sizeof length];
  if (!ReadExactly(input, header, sizeof header)) {
    *refusal = "the message ended early";
    return false;
  }
  std::memcpy(&length, header, sizeof length);
  if (length > kMaxMessageBytes) {
    *refusal = "the message is longer than 1 MiB";
    return false;
  }
  text->assign(length, '\0');
  if (length > 0 && !ReadExactly(input, &(*text)[0], length)) {
    text->clear();
    *refusal = "the message ended early";
    return false;
  }
  return true;
}

bool WriteMessage(HANDLE output, const std::string& text) {
  if (text.size() > kMaxMessageBytes) {
    return false;
  }
  uint32_t length = static_cast<uint32_t>(text.size());
  std::string framed(sizeof length, '\0');
  std::memcpy(&framed[0], &length, sizeof length);
  framed += text;
  DWORD done = 0;
  while (done < framed.size()) {
    DWORD put = 0;
    if (!::WriteFile(output, framed.data() + done, static_cast<DWORD>(framed.size()) - done, &put,
                     nullptr) ||
        put == 0) {
      return false;
    }
    done += put;
  }
  return true;
}

std::string SavedReply() { return Reply(true, std::string()); }

std::string RefusedReply(const std::string& reason) { return Reply(false, reason); }

}  // namespace native_host
