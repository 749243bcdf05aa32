// The fake browser as a program of its own (fake_browser.exe), for tests
// that run a client in another process:
//
//   fake_browser.exe --script <file> [--counters <file>] [--seconds <n>]
//                    [--stop-event <name>] [--ready-event <name>] [--no-frames]
//
//   --script       the script to serve (FakeBrowserScript.h); required
//   --counters     where to write the counters (FakeBrowserCounters.h) when
//                  the program ends; without it, the file that the
//                  environment variable FAKE_BROWSER_COUNTERS names, if any
//   --seconds      end after this many seconds (default 30, 1..3600)
//   --stop-event   end as soon as this named event is set
//   --ready-event  set this named event once the service is offered and the
//                  main windows exist
//   --no-frames    no main windows ("<title> - Netscape")
//
// The program also ends when its listener window (class kListenerClassName)
// receives WM_CLOSE. Exit code: 0 after a normal end (the counters file is
// written), 2 for a bad command line or script, 3 when the service or the
// windows could not be set up, 4 when the counters file could not be written.
#pragma once

#include <string>
#include <vector>

namespace fake_browser {

constexpr const char kCountersEnvironmentVariable[] = "FAKE_BROWSER_COUNTERS";

enum ProgramExit { kExitOk = 0, kExitUsage = 2, kExitSetup = 3, kExitCounters = 4 };

struct ProgramOptions {
  std::string scriptPath;
  std::string countersPath;
  unsigned seconds = 30;
  std::string stopEvent;
  std::string readyEvent;
  bool frames = true;
};

// Reads the arguments after the program name. environmentCounters is the
// value of FAKE_BROWSER_COUNTERS, or null when it is not set.
bool ParseProgramOptions(const std::vector<std::string>& args, const char* environmentCounters,
                         ProgramOptions* options, std::string* error);

}  // namespace fake_browser
