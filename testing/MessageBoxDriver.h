// Finds a message box on the desktop, reads it, and presses one of its
// buttons, so that a test can answer a modal box that would otherwise wait
// forever. Windows only. Every wait is bounded.
#pragma once

#include <string>

#include "platform/Win32Api.h"

namespace message_box_driver {

struct MessageBoxSeen {
  bool found = false;
  std::string caption;
  std::string text;  // the box's message (its text static control)
};

// Waits up to timeoutMs for a message box (a "#32770" dialog) of the process
// (0: any process) with the caption (null: any caption), records its caption
// and text (waiting up to 5 s, or timeoutMs if longer, for the text to be
// filled in), presses the button (IDOK, ...), and waits as long again for
// the box to close. True when a box was found and has closed.
bool DismissMessageBox(DWORD processId, const char* caption, DWORD timeoutMs, UINT button,
                       MessageBoxSeen* seen);

}  // namespace message_box_driver
