// Starting a native messaging host as a browser does: the message on its
// standard input, the reply read from its standard output, its end awaited.
// For the host tests and the host benchmark; under Wine the caller's windows
// get their messages meanwhile.
#pragma once

#include <string>
#include <vector>

namespace host_process {

enum class StartStyle {
  kDirect,      // pipes on the program's own standard handles (Firefox)
  kThroughCmd,  // Windows: cmd.exe /d /s /c, redirected to named pipes (the Chromium family)
};

struct HostRun {
  bool ended = false;  // by itself, within the bound
  int exitCode = -1;
  std::string output;   // all it wrote to standard output
  double replyMs = -1;  // from its start to the reply's last byte
  std::string failure;  // why it did not start or was not seen to end
};

// Arguments in UTF-8; the program's folder is its working directory.
HostRun RunHost(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input, StartStyle style, unsigned boundMs);

// The text after its 32-bit length in native byte order.
std::string Framed(const std::string& text);
// The first whole message of a host's output, or the empty text.
std::string FirstMessage(const std::string& output);

}  // namespace host_process
