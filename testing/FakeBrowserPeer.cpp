// The fake browser as a DDE peer module of the POSIX build, the counterpart
// of fake_browser.exe under Wine: loaded into a program through QC_DDE_PEERS,
// it serves the script that FAKE_BROWSER_SCRIPT names, owns a main window
// "<title> - Netscape" per top-level browser window, and at the program's
// exit writes its counters to the file that FAKE_BROWSER_COUNTERS names.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "testing/FakeBrowser.h"
#include "testing/FakeBrowserFrames.h"
#include "testing/FakeBrowserProgram.h"

namespace {

fake_browser::FakeBrowser* peer = nullptr;
fake_browser::FakeBrowserFrames* frames = nullptr;

void StopPeer() {
  if (peer == nullptr) {
    return;
  }
  const char* counters = std::getenv(fake_browser::kCountersEnvironmentVariable);
  if (counters != nullptr && *counters != '\0') {
    fake_browser::WriteCountersFile(counters, peer->counters());
  }
  delete frames;
  frames = nullptr;
  peer->Stop();
  delete peer;
  peer = nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int QcDdePeerStart() {
  const char* scriptPath = std::getenv("FAKE_BROWSER_SCRIPT");
  if (scriptPath == nullptr || peer != nullptr) {
    return 0;
  }
  fake_browser::Script script;
  std::string error;
  if (!fake_browser::ReadScriptFile(scriptPath, &script, &error)) {
    std::fprintf(stderr, "fake browser: %s\n", error.c_str());
    return 0;
  }
  peer = new fake_browser::FakeBrowser(script);
  frames = new fake_browser::FakeBrowserFrames;
  if (!peer->Start() && !script.misbehave.unregistered) {
    delete frames;
    frames = nullptr;
    delete peer;
    peer = nullptr;
    return 0;
  }
  frames->Create(script);
  std::atexit(StopPeer);
  return 1;
}
