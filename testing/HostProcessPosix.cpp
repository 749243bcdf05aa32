#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "testing/HostProcess.h"

namespace host_process {

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

HostRun RunHost(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input, StartStyle, unsigned boundMs) {
  HostRun run;
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return run;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]), close(in[1]);
    return run;
  }
  // A host that refuses early closes its input: a write then fails, no signal.
  signal(SIGPIPE, SIG_IGN);
  const Clock::time_point start = Clock::now();
  pid_t child = fork();
  if (child == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    std::string folder = program.substr(0, program.find_last_of('/') + 1);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  run.started = child > 0;
  for (size_t done = 0; run.started && done < input.size();) {
    ssize_t put = write(in[1], input.data() + done, input.size() - done);
    if (put <= 0) break;
    done += static_cast<size_t>(put);
  }
  close(in[1]);
  const auto deadline = start + std::chrono::milliseconds(boundMs);
  char buffer[65536];
  while (run.started && Clock::now() < deadline) {
    pollfd ready{out[0], POLLIN, 0};
    if (poll(&ready, 1, 20) <= 0) continue;
    ssize_t got = read(out[0], buffer, sizeof buffer);
    if (got <= 0) break;
    run.output.append(buffer, static_cast<size_t>(got));
    if (run.replyMs < 0 && !FirstMessage(run.output).empty()) run.replyMs = MsSince(start);
  }
  close(out[0]);
  int status = 0;
  while (run.started && waitpid(child, &status, WNOHANG) == 0) {
    if (Clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return run;
    }
    usleep(1000);
  }
  run.ended = run.started && WIFEXITED(status);
  run.exitCode = run.ended ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace host_process
