#include "launcher/messaging/HostManifest.h"

#include "launcher/messaging/HostIdentity.h"
#include "launcher/messaging/Utf8.h"
#include "rapidjson/document.h"
#include "rapidjson/prettywriter.h"
#include "rapidjson/stringbuffer.h"

namespace native_host {

bool HostManifestText(BrowserFamily family, const std::string& programPath, std::string* text) {
  // JSON text is Unicode; a path of other bytes (possible on POSIX) has no
  // place in it.
  if (!IsUtf8(programPath)) {
    return false;
  }
  rapidjson::StringBuffer buffer;
  rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
  writer.SetIndent(' ', 2);
  writer.StartObject();
  writer.Key("name");
  writer.String(kHostName);
  writer.Key("description");
  writer.String(kDescription);
  writer.Key("path");
  writer.String(programPath.data(), static_cast<rapidjson::SizeType>(programPath.size()));
  writer.Key("type");
  writer.String("stdio");
  if (family == BrowserFamily::kChromium) {
    writer.Key("allowed_origins");
    writer.StartArray();
    writer.String(kChromiumOrigin);
  } else {
    writer.Key("allowed_extensions");
    writer.StartArray();
    writer.String(kFirefoxExtensionId);
  }
  writer.EndArray();
  writer.EndObject();
  text->assign(buffer.GetString(), buffer.GetSize());
  *text += '\n';
  return true;
}

bool ManifestProgramPath(const std::string& text, std::string* programPath) {
  rapidjson::Document document;
  if (text.find('\0') != std::string::npos ||
      document.Parse<rapidjson::kParseIterativeFlag>(text.data(), text.size()).HasParseError() ||
      !document.IsObject()) {
    return false;
  }
  auto name = document.FindMember("name");
  auto path = document.FindMember("path");
  if (name == document.MemberEnd() || !name->value.IsString() ||
      std::string(name->value.GetString(), name->value.GetStringLength()) != kHostName ||
      path == document.MemberEnd() || !path->value.IsString()) {
    return false;
  }
  programPath->assign(path->value.GetString(), path->value.GetStringLength());
  return true;
}

}  // namespace native_host
