// Snaplet run for real as a browser starts its native messaging host, with
// the recording meter control; under Wine beside windows of the test's.
#pragma once

#include <string>
#include <vector>

struct HostSetup {
  // After the program's name. "{window}" stands for the decimal handle of a
  // child window of the test's browser window.
  std::vector<std::string> arguments;
  std::string input;        // the bytes on standard input
  bool throughCmd = false;  // as the Chromium family starts it on Windows
  bool controlRegistered = true;
  std::string controlFail;  // QC_CONTROL_FAIL
  // UTF-8 captions of top-level windows made for the run (Windows only):
  // the browser's, made first, and others made after it in turn, the last
  // of which is the foreground window unless the browser's is asked to be.
  std::string browserCaption;
  bool browserInForeground = false;
  std::vector<std::string> laterCaptions;
};

struct HostOutcome {
  bool ended = false;
  int exitCode = -1;
  std::string reply;                      // the reply's text
  std::vector<std::string> controlCalls;  // "<dispid>\t<argument>\t<top-level caption>"
  std::string failure;                    // why it did not start or was not seen to end
};

HostOutcome RunSnapletAsHost(const HostSetup& setup);

// Whether the runs can give Snaplet a browser window to find (under Wine).
bool BrowserWindowsAvailable();
