#include "testing/RecordingControlLog.h"

#include <cstdio>

namespace recording_control {

const char kLogVariable[] = "QC_CONTROL_LOG";
const char kFailVariable[] = "QC_CONTROL_FAIL";
const char kUtf8LogVariable[] = "QC_CONTROL_LOG_UTF8";

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace

bool IsKnownMember(long dispId) { return dispId == 1 || dispId == 5 || dispId == 6; }

bool FailureRequested(const std::string& failValue, const std::string& what) {
  size_t start = 0;
  while (start <= failValue.size()) {
    size_t comma = failValue.find(',', start);
    size_t end = comma == std::string::npos ? failValue.size() : comma;
    if (failValue.compare(start, end - start, what) == 0 && end > start) {
      return true;
    }
    if (comma == std::string::npos) {
      break;
    }
    start = comma + 1;
  }
  return false;
}

std::string FormatCall(long dispId, const std::string& argument, const std::string& caption,
                       bool failed) {
  std::string line = std::to_string(dispId) + "\t" + Escape(argument) + "\t" + Escape(caption);
  if (failed) {
    line += "\tfailed";
  }
  return line + "\n";
}

void AppendLine(const std::string& path, const std::string& line) {
  if (path.empty()) {
    return;
  }
  std::FILE* log = std::fopen(path.c_str(), "ab");
  if (log == nullptr) {
    return;
  }
  std::fwrite(line.data(), 1, line.size(), log);
  std::fclose(log);
}

}  // namespace recording_control
