// Times a native messaging host as a browser meets it: from the host's start
// to the reading of its whole reply, over many runs after one to warm up.
// Prints "<mean ms> <median ms>"; fails when a run is not answered
// {"saved":true}.
// Usage: host_bench_driver <runs> <program> [arguments...]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "testing/HostProcess.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <runs> <program> [arguments...]\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  const std::vector<std::string> arguments(argv + 3, argv + argc);
  const std::string message = host_process::Framed(
      "{\"mode\":0,\"title\":\"Bench page\",\"url\":\"http://bench.example/page.htm\"}");
  std::vector<double> times;
  for (int run = 0; run <= runs; ++run) {
    host_process::HostRun done = host_process::RunHost(argv[2], arguments, message,
                                                       host_process::StartStyle::kDirect, 60000);
    if (host_process::FirstMessage(done.output) != "{\"saved\":true}") {
      std::fprintf(stderr, "run %d: no saved reply (exit %d): %s\n", run, done.exitCode,
                   done.output.c_str());
      return 1;
    }
    if (run > 0) times.push_back(done.replyMs);
  }
  double total = 0;
  for (double time : times) total += time;
  std::sort(times.begin(), times.end());
  std::printf("%.1f %.1f\n", total / times.size(), times[times.size() / 2]);
  return 0;
}
