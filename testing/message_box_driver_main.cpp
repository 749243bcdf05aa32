// qc_message_box_driver [--pid N] [--caption TEXT] [--timeout MS] [--button ID] [--out FILE]
// Waits (10 s by default) for a message box, prints its text as one line on
// standard output (and into FILE), presses the button (IDOK by default) and
// waits for the box to close. A console program, so that its output reaches
// the caller under Wine.
// Exit status: 0 box answered, 1 no box in time, 2 usage, 3 the box did not close.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "testing/MessageBoxDriver.h"

int main(int argc, char** argv) {
  DWORD processId = 0;
  const char* caption = nullptr;
  DWORD timeoutMs = 10000;
  UINT button = IDOK;
  const char* outPath = nullptr;
  for (int i = 1; i < argc; ++i) {
    bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--pid") == 0 && hasValue) {
      processId = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 0));
    } else if (std::strcmp(argv[i], "--caption") == 0 && hasValue) {
      caption = argv[++i];
    } else if (std::strcmp(argv[i], "--timeout") == 0 && hasValue) {
      timeoutMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 0));
    } else if (std::strcmp(argv[i], "--button") == 0 && hasValue) {
      button = static_cast<UINT>(std::strtoul(argv[++i], nullptr, 0));
    } else if (std::strcmp(argv[i], "--out") == 0 && hasValue) {
      outPath = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: qc_message_box_driver [--pid N] [--caption TEXT] [--timeout MS] "
                   "[--button ID] [--out FILE]\n");
      return 2;
    }
  }
  // Lines end in LF alone, for callers on either side of Wine.
  _setmode(_fileno(stdout), _O_BINARY);
  message_box_driver::MessageBoxSeen seen;
  bool answered =
      message_box_driver::DismissMessageBox(processId, caption, timeoutMs, button, &seen);
  if (!seen.found) {
    std::fprintf(stderr, "qc_message_box_driver: no message box within %lu ms\n",
                 static_cast<unsigned long>(timeoutMs));
    return 1;
  }
  std::printf("%s\n", seen.text.c_str());
  std::fflush(stdout);
  if (outPath != nullptr) {
    std::FILE* out = std::fopen(outPath, "wb");
    if (out != nullptr) {
      std::fprintf(out, "%s\n", seen.text.c_str());
      std::fclose(out);
    }
  }
  std::fprintf(stderr, "qc_message_box_driver: caption \"%s\"\n", seen.caption.c_str());
  return answered ? 0 : 3;
}
