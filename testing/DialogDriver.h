// Drives the installer's path dialogs ("Enter Path") and the file-open
// dialog they start, as a user would: reads and sets the field, presses
// buttons, closes with the close box or Escape, answers or cancels the
// file-open dialog. Works on dialogs of another process and of another
// thread of this one. Windows only. Every wait is bounded.
#pragma once

#include <string>

#include "platform/Win32Api.h"

namespace dialog_driver {

constexpr const char kPathCaption[] = "Enter Path";
constexpr int kPathField = 1000;
constexpr int kBrowseButton = 1001;

// A visible top-level dialog ("#32770") of the process (0: any process)
// with the caption, waited for up to timeoutMs; null when none came.
HWND WaitForDialog(DWORD processId, const char* caption, DWORD timeoutMs);
// The file-open dialog owned by the dialog, waited for up to timeoutMs.
HWND WaitForFileDialog(HWND owner, DWORD timeoutMs);
// Waits up to timeoutMs for the window to go; true when it went.
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// The control's text as its window gives it (WM_GETTEXT); false when the
// control does not answer.
bool ControlText(HWND dialog, int id, std::string* text);
// The text of the dialog's first static control (its prompt).
bool PromptText(HWND dialog, std::string* text);
bool SetControlText(HWND dialog, int id, const std::string& text);
// As a click: the control's BN_CLICKED notification, posted.
bool PressButton(HWND dialog, int id);
// The close box of the caption (WM_SYSCOMMAND SC_CLOSE), posted.
bool PressCloseBox(HWND dialog);
// The Escape key, posted to the dialog.
bool PressEscape(HWND dialog);

// Types the path into the file-open dialog's name field and presses Open;
// true when the dialog then went.
bool AnswerFileDialog(HWND fileDialog, const std::string& path);
// Presses Cancel; true when the dialog then went.
bool CancelFileDialog(HWND fileDialog);

}  // namespace dialog_driver
