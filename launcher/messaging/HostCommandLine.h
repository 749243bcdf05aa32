// What Snaplet was started for, read from its arguments one by one. Host
// mode: a first argument that begins with "chrome-extension://" (the
// Chromium family; a later --parent-window=<decimal handle> is read, anything
// else ignored), or two arguments, a path ending in ".json" and an extension
// id (Firefox). One registration switch alone registers or unregisters.
// Any other command line is the launcher's, read as it always was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace native_host {

enum class SnapletRole { kLauncher, kChromiumHost, kFirefoxHost, kRegister, kUnregister };

struct HostCommandLine {
  SnapletRole role = SnapletRole::kLauncher;
  // The extension that asks: its origin (Chromium family) or its id (Firefox).
  std::string caller;
  // The window of the browser that asked; 0 when not given or not a number.
  uintptr_t parentWindow = 0;
};

HostCommandLine ReadHostCommandLine(const std::vector<std::string>& arguments);

// Whether the caller is our own extension.
bool IsOurExtension(const HostCommandLine& commandLine);

}  // namespace native_host
