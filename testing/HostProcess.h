// Starting a native messaging host as a browser does: the message on its
// standard input, the reply read from its standard output, its end awaited.
// Tests and the host benchmark use it, natively (fork and exec) and under
// Wine (CreateProcessW; the caller's windows get their messages meanwhile).
#pragma once

#include <string>
#include <vector>

namespace host_process {

enum class StartStyle {
  kDirect,      // pipes on the program's own standard handles (Firefox)
  kThroughCmd,  // Windows: cmd.exe /d /s /c with named pipes redirected (Chromium)
};

struct HostRun {
  bool started = false;
  bool ended = false;  // within the bound; else it was killed
  int exitCode = -1;
  std::string output;   // all it wrote to standard output
  double replyMs = -1;  // from the start to the reply's last byte; -1 without one
};

// Arguments in UTF-8; the program's folder is its working directory.
HostRun RunHost(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input, StartStyle style, unsigned boundMs);

// The text with its 32-bit length in native byte order before it.
std::string Framed(const std::string& text);

// The first message's text in a host's output; empty when there is none whole.
std::string FirstMessage(const std::string& output);

}  // namespace host_process
