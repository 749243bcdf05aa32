#include "testing/FakeBrowserProgram.h"

#include <cstdint>

#include "testing/FakeBrowserText.h"

namespace fake_browser {

bool ParseProgramOptions(const std::vector<std::string>& args, const char* environmentCounters,
                         ProgramOptions* options, std::string* error) {
  ProgramOptions parsed;
  if (environmentCounters) parsed.countersPath = environmentCounters;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--no-frames") {
      parsed.frames = false;
      continue;
    }
    if (i + 1 >= args.size()) {
      *error = "unknown option or missing value: " + name;
      return false;
    }
    const std::string& value = args[++i];
    if (name == "--script") {
      parsed.scriptPath = value;
    } else if (name == "--counters") {
      parsed.countersPath = value;
    } else if (name == "--stop-event") {
      parsed.stopEvent = value;
    } else if (name == "--ready-event") {
      parsed.readyEvent = value;
    } else if (name == "--seconds") {
      uint32_t seconds = 0;
      if (!ParseNumber(value, &seconds) || seconds < 1 || seconds > 3600) {
        *error = "--seconds takes 1 to 3600";
        return false;
      }
      parsed.seconds = seconds;
    } else {
      *error = "unknown option: " + name;
      return false;
    }
  }
  if (parsed.scriptPath.empty()) {
    *error = "--script is required";
    return false;
  }
  *options = parsed;
  return true;
}

}  // namespace fake_browser
