// fake_browser.exe: the fake browser in a process of its own; its command
// line is described in FakeBrowserProgram.h.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Win32Api.h"
#include "testing/FakeBrowser.h"
#include "testing/FakeBrowserFrames.h"
#include "testing/FakeBrowserProgram.h"

namespace {

using namespace fake_browser;

// Dispatches messages until the time is up, the stop event is set or a quit
// message arrives.
void RunMessageLoop(unsigned seconds, HANDLE stopEvent) {
  const ULONGLONG deadline = GetTickCount64() + 1000ull * seconds;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return;
    const DWORD handles = stopEvent ? 1 : 0;
    const DWORD woken = MsgWaitForMultipleObjects(handles, &stopEvent, FALSE,
                                                  static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    if (stopEvent && woken == WAIT_OBJECT_0) return;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

HANDLE NamedEvent(const std::string& name) {
  return name.empty() ? nullptr : CreateEventA(nullptr, TRUE, FALSE, name.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  ProgramOptions options;
  std::string error;
  Script script;
  if (!ParseProgramOptions(args, std::getenv(kCountersEnvironmentVariable), &options, &error) ||
      !ReadScriptFile(options.scriptPath, &script, &error)) {
    std::fprintf(stderr, "fake_browser: %s\n", error.c_str());
    return kExitUsage;
  }

  HANDLE stopEvent = NamedEvent(options.stopEvent);
  HANDLE readyEvent = NamedEvent(options.readyEvent);
  FakeBrowser browser(script);
  FakeBrowserFrames frames;
  int exitCode = kExitOk;
  if ((!options.stopEvent.empty() && !stopEvent) || (!options.readyEvent.empty() && !readyEvent) ||
      !browser.Start() || (options.frames && !frames.Create(script))) {
    std::fprintf(stderr, "fake_browser: cannot set up the service or its windows\n");
    exitCode = kExitSetup;
  } else {
    if (readyEvent) SetEvent(readyEvent);
    RunMessageLoop(options.seconds, stopEvent);
  }
  browser.Stop();
  frames.Destroy();
  if (stopEvent) CloseHandle(stopEvent);
  if (readyEvent) CloseHandle(readyEvent);

  if (exitCode == kExitOk && !options.countersPath.empty() &&
      !WriteCountersFile(options.countersPath, browser.counters())) {
    std::fprintf(stderr, "fake_browser: cannot write %s\n", options.countersPath.c_str());
    exitCode = kExitCounters;
  }
  return exitCode;
}
