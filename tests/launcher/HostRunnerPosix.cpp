// Natively the host runs on the stand-in's desktop of its own process: no
// window of the test's can be its browser's.
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "testing/ControlTestSupport.h"
#include "testing/HostProcess.h"
#include "tests/launcher/HostRunner.h"
#include "tests/launcher/LauncherRunner.h"

bool BrowserWindowsAvailable() { return false; }

HostOutcome RunSnapletAsHost(const HostSetup& setup) {
  char folder[] = "qc_host_XXXXXX";
  char absolute[PATH_MAX];
  const std::string dir = mkdtemp(folder) != nullptr && realpath(folder, absolute) ? absolute : ".";
  const std::string hive = dir + "/registry.reg";
  const std::string log = dir + "/control.log";
  control_test::SetEnvironment("QC_REGISTRY_FILE", hive.c_str());
  if (setup.controlRegistered) {
    control_test::RegisterRecordingControl(control_test::RecordingControlModule());
  }
  control_test::SetEnvironment("QC_CONTROL_LOG", log.c_str());
  control_test::SetEnvironment("QC_CONTROL_FAIL",
                               setup.controlFail.empty() ? nullptr : setup.controlFail.c_str());
  host_process::HostRun run = host_process::RunHost(
      QC_SNAPLET_PROGRAM, setup.arguments, setup.input, host_process::StartStyle::kDirect, 30000);
  HostOutcome outcome;
  outcome.ended = run.ended;
  outcome.failure = run.failure;
  outcome.exitCode = run.exitCode;
  outcome.reply = host_process::FirstMessage(run.output);
  outcome.controlCalls = Lines(ReadAll(log));
  for (const char* name : {"QC_REGISTRY_FILE", "QC_CONTROL_LOG", "QC_CONTROL_FAIL"}) {
    control_test::SetEnvironment(name, nullptr);
  }
  unlink(hive.c_str());
  unlink(log.c_str());
  rmdir(dir.c_str());
  return outcome;
}
