// Snaplet as a native messaging host: one message in, one reply out.
#pragma once

#include <string>

#include "launcher/HostWindow.h"
#include "launcher/messaging/HostCommandLine.h"
#include "launcher/messaging/PageRequest.h"

namespace native_host {

// Reads the message from standard input, saves the page as the launcher
// does after its DDE queries, and writes the reply to standard output.
// Returns the exit status: 0 when the page was saved, 1 otherwise. Shows
// no message box: the extension shows the reason.
int RunAsHost(const HostCommandLine& commandLine);

// The host window and the control, the browser window, and the control's
// two calls. True when both calls succeeded; else false with the reason.
// A title the control does not take is not followed by a save request.
bool SavePage(HostWindow* host, const PageRequest& page, uintptr_t parentWindow,
              std::string* refusal);

}  // namespace native_host
