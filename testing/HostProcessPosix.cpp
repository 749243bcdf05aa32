#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>

#include "testing/HostProcess.h"

namespace host_process {

// The bound is left to the test's own time-out: a host that hangs hangs here.
HostRun RunHost(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input, StartStyle, unsigned) {
  HostRun run;
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return run;
  // A host that refuses early closes its input: the write then fails quietly.
  signal(SIGPIPE, SIG_IGN);
  // Named from the folder it starts in.
  char absolute[PATH_MAX];
  const std::string path = realpath(program.c_str(), absolute) != nullptr ? absolute : program;
  const auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    if (chdir(path.substr(0, path.find_last_of('/') + 1).c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& each : arguments) argv.push_back(const_cast<char*>(each.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  for (size_t done = 0; done < input.size();) {
    ssize_t put = write(in[1], input.data() + done, input.size() - done);
    if (put <= 0) break;
    done += static_cast<size_t>(put);
  }
  close(in[1]);
  char buffer[65536];
  for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;) {
    run.output.append(buffer, static_cast<size_t>(got));
    if (run.replyMs < 0 && !FirstMessage(run.output).empty()) {
      run.replyMs =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
    }
  }
  close(out[0]);
  int status = 0;
  run.ended = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
  run.exitCode = run.ended ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace host_process
