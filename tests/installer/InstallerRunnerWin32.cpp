#include <windows.h>

#include "testing/ProcessStart.h"
#include "tests/installer/InstallerRunner.h"

namespace {
constexpr DWORD kBoundMs = 30000;
}  // namespace

InstallerOutcome RunInstaller(const std::string& commandLine,
                              const std::vector<DialogScript>& scripts) {
  InstallerOutcome outcome;
  std::string program = QC_FOLDMINT_PROGRAM;
  std::string line = "\"" + program + "\"";
  if (!commandLine.empty()) line += " " + commandLine;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!process_start::StartProcess(program.c_str(), line, FALSE, &startup, &process)) {
    return outcome;
  }
  HANDLE handle = process.hProcess;
  outcome.shown = AnswerDialogs(process.dwProcessId, scripts, [handle] {
    return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
  });
  if (WaitForSingleObject(process.hProcess, kBoundMs) == WAIT_OBJECT_0) {
    DWORD code = 0;
    outcome.ended = true;
    if (GetExitCodeProcess(process.hProcess, &code)) outcome.exitCode = static_cast<int>(code);
  } else {
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}
