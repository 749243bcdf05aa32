// Under Wine the launcher and the fake browser are processes of their own,
// and a modal message box of the launcher is read and answered by the
// message-box driver.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "testing/ControlTestSupport.h"
#include "testing/MessageBoxDriver.h"
#include "testing/ProcessStart.h"
#include "tests/launcher/LauncherRunner.h"

namespace {

constexpr DWORD kBoundMs = 30000;

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + "qc_launcher_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

bool Start(const std::string& program, const std::string& arguments, PROCESS_INFORMATION* process) {
  std::string line = "\"" + program + "\"";
  if (!arguments.empty()) line += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return process_start::StartProcess(program.c_str(), line, FALSE, &startup, process) != FALSE;
}

void EndAndClose(PROCESS_INFORMATION* process, DWORD waitMs) {
  if (WaitForSingleObject(process->hProcess, waitMs) != WAIT_OBJECT_0) {
    TerminateProcess(process->hProcess, 99);
    WaitForSingleObject(process->hProcess, 5000);
  }
  CloseHandle(process->hThread);
  CloseHandle(process->hProcess);
}

// The fake browser, running and ready, or false with the reason in *why.
bool StartBrowser(const std::string& script, const std::string& counters, const std::string& events,
                  PROCESS_INFORMATION* browser, HANDLE* stop, std::string* why) {
  std::string ready = events + "_ready";
  std::string stopName = events + "_stop";
  HANDLE readyEvent = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
  *stop = CreateEventA(nullptr, TRUE, FALSE, stopName.c_str());
  if (readyEvent == nullptr || *stop == nullptr) {
    *why = "its events could not be made: error " + std::to_string(GetLastError());
    if (readyEvent != nullptr) CloseHandle(readyEvent);
    return false;
  }
  std::string arguments = "--script \"" + script + "\" --counters \"" + counters +
                          "\" --seconds 60 --ready-event " + ready + " --stop-event " + stopName;
  if (!Start(QC_FAKE_BROWSER_PROGRAM, arguments, browser)) {
    *why = "it could not be started: error " + std::to_string(GetLastError());
    CloseHandle(readyEvent);
    return false;
  }
  // Ready, or ended before it was: whichever comes first.
  HANDLE waited[2] = {readyEvent, browser->hProcess};
  DWORD woken = WaitForMultipleObjects(2, waited, FALSE, 15000);
  CloseHandle(readyEvent);
  if (woken == WAIT_OBJECT_0) return true;
  DWORD code = 0;
  if (woken == WAIT_OBJECT_0 + 1 && GetExitCodeProcess(browser->hProcess, &code)) {
    *why = "it ended with code " + std::to_string(code) + " before it was ready";
  } else {
    *why = "it was not ready within 15 s";
  }
  EndAndClose(browser, 0);
  return false;
}

}  // namespace

unsigned UnansweredRequestCostMs() { return kShortRequestWaitMs; }

LauncherOutcome RunLauncher(const LauncherSetup& setup) {
  const std::string script = TempPath("script.txt");
  const std::string counters = TempPath("counters.txt");
  const std::string log = TempPath("control.log");
  DeleteFileA(counters.c_str());
  DeleteFileA(log.c_str());
  std::ofstream(script, std::ios::binary) << setup.browserScript;

  if (setup.controlRegistered) {
    control_test::RegisterRecordingControl(control_test::RecordingControlModule());
  } else {
    control_test::UnregisterRecordingControl();
  }
  control_test::SetEnvironment("QC_CONTROL_LOG", log.c_str());
  control_test::SetEnvironment("QC_CONTROL_FAIL",
                               setup.controlFail.empty() ? nullptr : setup.controlFail.c_str());

  LauncherOutcome outcome;
  PROCESS_INFORMATION browser = {};
  HANDLE stop = nullptr;
  bool browserRunning = false;
  if (!setup.browserScript.empty()) {
    static int runs = 0;
    std::string events =
        "qc_fake_browser_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++runs);
    std::string why;
    browserRunning = StartBrowser(script, counters, events, &browser, &stop, &why);
    if (!browserRunning) {
      outcome.messages.push_back("<the fake browser did not start: " + why + ">");
      if (stop != nullptr) CloseHandle(stop);
      return outcome;
    }
  }

  PROCESS_INFORMATION launcher = {};
  const char* program = setup.shortRequestWait ? QC_SNAPLET_SHORT_WAIT_PROGRAM : QC_SNAPLET_PROGRAM;
  if (Start(program, setup.commandLine, &launcher)) {
    DWORD started = GetTickCount();
    for (;;) {
      if (WaitForSingleObject(launcher.hProcess, 50) == WAIT_OBJECT_0) {
        outcome.ended = true;
        outcome.elapsedMs = GetTickCount() - started;
        break;
      }
      message_box_driver::MessageBoxSeen seen;
      message_box_driver::DismissMessageBox(launcher.dwProcessId, nullptr, 50, IDOK, &seen);
      if (seen.found) {
        outcome.messages.push_back(seen.text);
        // The box was answered; give it time to close before looking again,
        // so that one box is not counted twice.
        WaitForSingleObject(launcher.hProcess, 5000);
      }
      if (GetTickCount() - started > kBoundMs) {
        break;
      }
    }
    DWORD code = 0;
    if (outcome.ended && GetExitCodeProcess(launcher.hProcess, &code)) {
      outcome.exitCode = static_cast<int>(code);
    }
    EndAndClose(&launcher, 0);
  } else {
    outcome.messages.push_back("<Snaplet.exe did not start: error " +
                               std::to_string(GetLastError()) + ">");
  }

  if (browserRunning) {
    SetEvent(stop);
    EndAndClose(&browser, 15000);
    fake_browser::ReadCountersFile(counters, &outcome.counters);
  }
  if (stop != nullptr) CloseHandle(stop);
  outcome.controlCalls = Lines(ReadAll(log));
  control_test::RegisterRecordingControl(control_test::RecordingControlModule());
  DeleteFileA(script.c_str());
  DeleteFileA(counters.c_str());
  DeleteFileA(log.c_str());
  return outcome;
}
