#include "launcher/messaging/HostCommandLine.h"

#include "launcher/messaging/HostIdentity.h"
#include "launcher/messaging/Registration.h"

namespace native_host {

namespace {

constexpr char kChromiumScheme[] = "chrome-extension://";
constexpr char kParentWindowSwitch[] = "--parent-window=";

bool BeginsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A decimal handle; 0 for anything else, so that the window is then looked
// for by its caption.
uintptr_t ParseWindowHandle(const std::string& digits) {
  if (digits.empty()) {
    return 0;
  }
  uintptr_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') {
      return 0;
    }
    uintptr_t digit = static_cast<uintptr_t>(c - '0');
    if (value > (UINTPTR_MAX - digit) / 10) {
      return 0;
    }
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

HostCommandLine ReadHostCommandLine(const std::vector<std::string>& arguments) {
  HostCommandLine commandLine;
  if (arguments.empty()) {
    return commandLine;
  }
  if (BeginsWith(arguments[0], kChromiumScheme)) {
    commandLine.role = SnapletRole::kChromiumHost;
    commandLine.caller = arguments[0];
    for (size_t i = 1; i < arguments.size(); ++i) {
      if (BeginsWith(arguments[i], kParentWindowSwitch)) {
        commandLine.parentWindow =
            ParseWindowHandle(arguments[i].substr(sizeof kParentWindowSwitch - 1));
        break;
      }
    }
  } else if (arguments.size() == 2 && EndsWith(arguments[0], ".json")) {
    commandLine.role = SnapletRole::kFirefoxHost;
    commandLine.caller = arguments[1];
  } else if (arguments.size() == 1 && arguments[0] == kRegisterSwitch) {
    commandLine.role = SnapletRole::kRegister;
  } else if (arguments.size() == 1 && arguments[0] == kUnregisterSwitch) {
    commandLine.role = SnapletRole::kUnregister;
  }
  return commandLine;
}

bool IsOurExtension(const HostCommandLine& commandLine) {
  switch (commandLine.role) {
    case SnapletRole::kChromiumHost:
      return commandLine.caller == kChromiumOrigin;
    case SnapletRole::kFirefoxHost:
      return commandLine.caller == kFirefoxExtensionId;
    default:
      return false;
  }
}

}  // namespace native_host
