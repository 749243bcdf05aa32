// Registration as a native messaging host, per user, for the Chromium family
// and Firefox. Windows: the two host manifests in the folder Quillary of
// %LOCALAPPDATA% and four keys under HKEY_CURRENT_USER that name them (Chrome's, read by
// Chrome, Brave, Vivaldi and Opera, and as a fallback by Edge; Edge's;
// Chromium's; Mozilla's); silent, the outcome in the exit status. Natively
// the Chromium family's manifest in each of five per-user folders and
// Firefox's in ~/.mozilla/native-messaging-hosts/; each step is reported on
// standard output, a failure on standard error. (RegistrationWin32.cpp,
// RegistrationPosix.cpp)
#pragma once

namespace native_host {

// The switches that ask for it, alone on the command line: /register and
// /unregister on Windows, --register and --unregister natively.
extern const char kRegisterSwitch[];
extern const char kUnregisterSwitch[];

// Each returns the exit status: 0 when done, 1 when something failed, in
// which case what it had changed is put back.
int RegisterHost();
int UnregisterHost();

}  // namespace native_host
