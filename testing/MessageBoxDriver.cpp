#include "testing/MessageBoxDriver.h"

#include <cstring>

namespace message_box_driver {

namespace {

const DWORD kPollMs = 20;
// Once a box is there, filling in its text and closing take their own time,
// however briefly the caller looks for a box.
const DWORD kSettleMs = 5000;

struct Search {
  DWORD processId;
  const char* caption;
  HWND found;
};

std::string WindowText(HWND window) {
  char text[4096] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK MatchBox(HWND window, LPARAM context) {
  Search* search = reinterpret_cast<Search*>(context);
  char className[32] = "";
  ::GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0) {
    return TRUE;
  }
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (search->processId != 0 && owner != search->processId) {
    return TRUE;
  }
  if (search->caption != nullptr && WindowText(window) != search->caption) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The message is the first static control with text that is not an icon.
BOOL CALLBACK FindMessage(HWND window, LPARAM context) {
  char className[32] = "";
  ::GetClassNameA(window, className, sizeof className);
  LONG style = ::GetWindowLongA(window, GWL_STYLE);
  if (_stricmp(className, "Static") != 0 || (style & SS_TYPEMASK) == SS_ICON) {
    return TRUE;
  }
  std::string text = WindowText(window);
  if (text.empty()) {
    return TRUE;
  }
  *reinterpret_cast<std::string*>(context) = text;
  return FALSE;
}

bool WaitUntil(ULONGLONG deadline, HWND* box, Search* search) {
  for (;;) {
    search->found = nullptr;
    ::EnumWindows(MatchBox, reinterpret_cast<LPARAM>(search));
    if (search->found != nullptr) {
      *box = search->found;
      return true;
    }
    if (::GetTickCount64() >= deadline) {
      return false;
    }
    ::Sleep(kPollMs);
  }
}

}  // namespace

bool DismissMessageBox(DWORD processId, const char* caption, DWORD timeoutMs, UINT button,
                       MessageBoxSeen* seen) {
  Search search{processId, caption, nullptr};
  HWND box = nullptr;
  if (!WaitUntil(::GetTickCount64() + timeoutMs, &box, &search)) {
    return false;
  }
  // The box may still be filling in its controls when it first shows up.
  std::string text;
  ULONGLONG textDeadline = ::GetTickCount64() + (timeoutMs > kSettleMs ? timeoutMs : kSettleMs);
  // (EnumChildWindows' result says nothing useful: a box without children
  // yet may give FALSE.)
  for (;;) {
    ::EnumChildWindows(box, FindMessage, reinterpret_cast<LPARAM>(&text));
    if (!text.empty() || !::IsWindow(box) || ::GetTickCount64() >= textDeadline) {
      break;
    }
    ::Sleep(kPollMs);
  }
  if (seen != nullptr) {
    seen->found = true;
    seen->caption = WindowText(box);
    seen->text = text;
  }
  // Posted, not sent: a box that does not answer must not stop the driver.
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box, static_cast<int>(button))));
  ULONGLONG closeDeadline = ::GetTickCount64() + (timeoutMs > kSettleMs ? timeoutMs : kSettleMs);
  while (::IsWindow(box)) {
    if (::GetTickCount64() >= closeDeadline) {
      return false;
    }
    ::Sleep(kPollMs);
  }
  return true;
}

}  // namespace message_box_driver
