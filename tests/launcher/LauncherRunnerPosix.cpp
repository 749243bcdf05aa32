// Natively the launcher is started with fork and exec; the fake browser is
// loaded into it as a DDE peer module, and its message box is the line it
// writes to standard error.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <thread>

#include "testing/ControlTestSupport.h"
#include "tests/launcher/LauncherRunner.h"

namespace {

constexpr int kBoundSeconds = 30;

// A directory of the run's own beside the test (in the build tree), gone
// again when the run is over.
std::string MakeRunDir() {
  char pattern[] = "qc_launcher_XXXXXX";
  const char* made = mkdtemp(pattern);
  if (made == nullptr) return ".";
  char* absolute = realpath(made, nullptr);
  std::string dir = absolute != nullptr ? absolute : made;
  std::free(absolute);
  return dir;
}

void RemoveRunDir(const std::string& dir, std::initializer_list<const std::string*> files) {
  for (const std::string* file : files) std::remove(file->c_str());
  if (dir != ".") rmdir(dir.c_str());
}

}  // namespace

unsigned UnansweredRequestCostMs() { return 0; }

LauncherOutcome RunLauncher(const LauncherSetup& setup) {
  const std::string dir = MakeRunDir();
  const std::string script = dir + "/script.txt";
  const std::string counters = dir + "/counters.txt";
  const std::string log = dir + "/control.log";
  const std::string hive = dir + "/registry.reg";
  const std::string errors = dir + "/stderr.txt";
  std::remove(counters.c_str());
  std::remove(log.c_str());
  std::remove(hive.c_str());
  std::ofstream(script, std::ios::binary) << setup.browserScript;

  // The control's registration lives in the hive the launcher will read.
  control_test::SetEnvironment("QC_REGISTRY_FILE", hive.c_str());
  if (setup.controlRegistered) {
    control_test::RegisterRecordingControl(control_test::RecordingControlModule());
  }

  LauncherOutcome outcome;
  pid_t child = fork();
  if (child == 0) {
    setenv("QC_CONTROL_LOG", log.c_str(), 1);
    if (!setup.controlFail.empty()) setenv("QC_CONTROL_FAIL", setup.controlFail.c_str(), 1);
    if (!setup.browserScript.empty()) {
      setenv("QC_DDE_PEERS", QC_FAKE_BROWSER_PEER, 1);
      setenv("FAKE_BROWSER_SCRIPT", script.c_str(), 1);
      setenv("FAKE_BROWSER_COUNTERS", counters.c_str(), 1);
    }
    int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(err, 2);
    close(err);
    if (setup.commandLine.empty()) {
      execl(QC_SNAPLET_PROGRAM, QC_SNAPLET_PROGRAM, static_cast<char*>(nullptr));
    } else {
      execl(QC_SNAPLET_PROGRAM, QC_SNAPLET_PROGRAM, setup.commandLine.c_str(),
            static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  int status = 0;
  const auto started = std::chrono::steady_clock::now();
  auto deadline = started + std::chrono::seconds(kBoundSeconds);
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  outcome.elapsedMs = static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now() - started)
                                                .count());
  if (WIFEXITED(status)) {
    outcome.ended = true;
    outcome.exitCode = WEXITSTATUS(status);
  }
  outcome.controlCalls = Lines(ReadAll(log));
  outcome.messages = Lines(ReadAll(errors));
  fake_browser::ReadCountersFile(counters, &outcome.counters);
  control_test::SetEnvironment("QC_REGISTRY_FILE", nullptr);
  RemoveRunDir(dir, {&script, &counters, &log, &hive, &errors});
  return outcome;
}
