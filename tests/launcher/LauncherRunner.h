// Runs the launcher program for real, as a user would start it, beside a
// fake browser (another process under Wine, a DDE peer module natively) and
// with the recording meter control registered or not, and reports what each
// side saw.
#pragma once

#include <string>
#include <vector>

#include "testing/FakeBrowserCounters.h"

struct LauncherSetup {
  std::string browserScript;  // empty: no browser is running
  std::string commandLine;    // the arguments after the program's name
  bool controlRegistered = true;
  std::string controlFail;  // QC_CONTROL_FAIL for the control, if any
  // Under Wine, start the test build of the launcher whose DDE requests wait
  // kShortRequestWaitMs for an answer instead of a minute.
  bool shortRequestWait = false;
};

constexpr unsigned kShortRequestWaitMs = 4000;

struct LauncherOutcome {
  bool ended = false;  // the launcher ended by itself within the bound
  int exitCode = -1;
  std::vector<std::string> controlCalls;  // "<dispid>\t<argument>\t<top-level caption>"
  std::vector<std::string> messages;      // texts of the message boxes shown
  fake_browser::Counters counters;        // what the browser received
  unsigned elapsedMs = 0;                 // from the launcher's start to its end
};

LauncherOutcome RunLauncher(const LauncherSetup& setup);

// How long one request that the browser leaves unanswered holds up a run
// with shortRequestWait: that wait under Wine, nothing natively, where the
// in-process DDEML fails such a request at once with the time-out's error.
unsigned UnansweredRequestCostMs();

// The non-empty lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);
// A file's whole content; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// Total conversations the browser accepted.
unsigned AcceptedConversations(const fake_browser::Counters& counters);
