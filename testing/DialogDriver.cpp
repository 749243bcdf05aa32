#include "testing/DialogDriver.h"

#include <cstring>

namespace dialog_driver {

namespace {

const DWORD kPollMs = 20;
// A dialog that is there answers a message well within this.
const DWORD kAnswerMs = 5000;
// The file-open dialog's name field: a combo box (explorer style) or an edit.
const int kFileNameCombo = 0x47c;
const int kFileNameEdit = 0x480;

struct Search {
  DWORD processId;
  const char* caption;
  HWND owner;
  HWND found;
};

bool IsDialogClass(HWND window) {
  char className[32] = "";
  ::GetClassNameA(window, className, sizeof className);
  return std::strcmp(className, "#32770") == 0;
}

BOOL CALLBACK Match(HWND window, LPARAM context) {
  Search* search = reinterpret_cast<Search*>(context);
  if (!IsDialogClass(window) || !::IsWindowVisible(window)) {
    return TRUE;
  }
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (search->processId != 0 && process != search->processId) {
    return TRUE;
  }
  if (search->owner != nullptr && ::GetWindow(window, GW_OWNER) != search->owner) {
    return TRUE;
  }
  if (search->caption != nullptr) {
    char caption[256] = "";
    DWORD_PTR length = 0;
    // Not GetWindowTextA: for a window of this process it sends a message
    // that a busy thread would not answer.
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, sizeof caption,
                               reinterpret_cast<LPARAM>(caption), SMTO_ABORTIFHUNG, kAnswerMs,
                               &length) ||
        std::strcmp(caption, search->caption) != 0) {
      return TRUE;
    }
  }
  search->found = window;
  return FALSE;
}

HWND WaitFor(Search search, DWORD timeoutMs) {
  ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    search.found = nullptr;
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      return search.found;
    }
    if (::GetTickCount64() >= deadline) {
      return nullptr;
    }
    ::Sleep(kPollMs);
  }
}

}  // namespace

HWND WaitForDialog(DWORD processId, const char* caption, DWORD timeoutMs) {
  return WaitFor(Search{processId, caption, nullptr, nullptr}, timeoutMs);
}

HWND WaitForFileDialog(HWND owner, DWORD timeoutMs) {
  HWND dialog = WaitFor(Search{0, nullptr, owner, nullptr}, timeoutMs);
  if (dialog == nullptr) {
    return nullptr;
  }
  // The dialog fills in its controls after it shows up.
  ULONGLONG deadline = ::GetTickCount64() + kAnswerMs;
  while (::GetDlgItem(dialog, kFileNameCombo) == nullptr &&
         ::GetDlgItem(dialog, kFileNameEdit) == nullptr && ::GetTickCount64() < deadline) {
    ::Sleep(kPollMs);
  }
  return dialog;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
  ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (::IsWindow(window)) {
    if (::GetTickCount64() >= deadline) {
      return false;
    }
    ::Sleep(kPollMs);
  }
  return true;
}

namespace {

bool WindowText(HWND control, std::string* text) {
  if (control == nullptr) {
    return false;
  }
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs,
                             &length)) {
    return false;
  }
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutA(control, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG, kAnswerMs,
                             &copied)) {
    return false;
  }
  buffer.resize(static_cast<size_t>(copied));
  *text = buffer;
  return true;
}

}  // namespace

bool ControlText(HWND dialog, int id, std::string* text) {
  return WindowText(::GetDlgItem(dialog, id), text);
}

namespace {

BOOL CALLBACK FirstStatic(HWND window, LPARAM context) {
  char className[32] = "";
  ::GetClassNameA(window, className, sizeof className);
  if (_stricmp(className, "Static") != 0) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

}  // namespace

bool PromptText(HWND dialog, std::string* text) {
  HWND prompt = nullptr;
  ::EnumChildWindows(dialog, FirstStatic, reinterpret_cast<LPARAM>(&prompt));
  return WindowText(prompt, text);
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
  HWND control = ::GetDlgItem(dialog, id);
  DWORD_PTR result = 0;
  return control != nullptr &&
         ::SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kAnswerMs, &result) &&
         result != 0;
}

bool PressButton(HWND dialog, int id) {
  // Posted, not sent: the handler may run a modal dialog of its own.
  return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id))) != FALSE;
}

bool PressCloseBox(HWND dialog) {
  return ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

bool PressEscape(HWND dialog) {
  // The dialog's own loop turns the key into IDCANCEL, as for a typed Escape.
  return ::PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001) != FALSE &&
         ::PostMessageA(dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001) != FALSE;
}

bool AnswerFileDialog(HWND fileDialog, const std::string& path) {
  bool typed = SetControlText(fileDialog, kFileNameCombo, path) ||
               SetControlText(fileDialog, kFileNameEdit, path);
  return typed && PressButton(fileDialog, IDOK) && WaitUntilGone(fileDialog, kAnswerMs);
}

bool CancelFileDialog(HWND fileDialog) {
  return PressButton(fileDialog, IDCANCEL) && WaitUntilGone(fileDialog, kAnswerMs);
}

}  // namespace dialog_driver
