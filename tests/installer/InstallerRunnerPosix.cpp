#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "tests/installer/InstallerRunner.h"
#include "tests/installer/InstallerTestSupport.h"

namespace {
constexpr int kBoundSeconds = 30;
}  // namespace

InstallerOutcome RunInstaller(const std::string& commandLine,
                              const std::vector<DialogScript>& scripts) {
  std::string directory = installer_test::FreshDirectory("terminal_" + std::to_string(getpid()));
  std::string input = directory + "input.txt";
  std::string output = directory + "output.txt";
  std::string errors = directory + "errors.txt";
  std::ofstream(input, std::ios::binary) << TerminalInput(scripts);

  InstallerOutcome outcome;
  pid_t child = fork();
  if (child == 0) {
    int in = open(input.c_str(), O_RDONLY);
    int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    close(in);
    close(out);
    close(err);
    // As a user types it: the first word, then the rest as one argument;
    // the program joins its arguments with blanks.
    size_t blank = commandLine.find(' ');
    std::string first = commandLine.substr(0, blank);
    std::string rest = blank == std::string::npos ? "" : commandLine.substr(blank + 1);
    if (commandLine.empty()) {
      execl(QC_FOLDMINT_PROGRAM, QC_FOLDMINT_PROGRAM, static_cast<char*>(nullptr));
    } else if (blank == std::string::npos) {
      execl(QC_FOLDMINT_PROGRAM, QC_FOLDMINT_PROGRAM, first.c_str(), static_cast<char*>(nullptr));
    } else {
      execl(QC_FOLDMINT_PROGRAM, QC_FOLDMINT_PROGRAM, first.c_str(), rest.c_str(),
            static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kBoundSeconds);
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (WIFEXITED(status)) {
    outcome.ended = true;
    outcome.exitCode = WEXITSTATUS(status);
  }
  outcome.shown = DialogsShown(installer_test::FileBytes(output).value_or(""));
  outcome.errorOutput = installer_test::FileBytes(errors).value_or("");
  return outcome;
}
