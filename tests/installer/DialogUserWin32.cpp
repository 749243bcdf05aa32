#include "testing/DialogDriver.h"
#include "tests/installer/DialogUser.h"

namespace {

using namespace dialog_driver;

const DWORD kComeMs = 15000;
const DWORD kGoMs = 5000;
// An OK that is refused leaves the dialog up; this long is enough to tell.
const DWORD kRefusedOkMs = 1000;
const int kFilterCombo = 0x470;
const int kFileNameCombo = 0x47c;
const int kFileNameEdit = 0x480;

std::string Text(HWND dialog, int id) {
  std::string text;
  ControlText(dialog, id, &text);
  return text;
}

void Browse(HWND dialog, const UserAction& action, DialogSeen* seen) {
  PressButton(dialog, kBrowseButton);
  HWND files = WaitForFileDialog(dialog, kComeMs);
  if (files == nullptr) {
    return;
  }
  seen->fileName = ::GetDlgItem(files, kFileNameCombo) != nullptr ? Text(files, kFileNameCombo)
                                                                  : Text(files, kFileNameEdit);
  seen->filter = Text(files, kFilterCombo);
  if (action.kind == UserAction::kBrowseCancel) {
    CancelFileDialog(files);
  } else if (action.text.empty()) {
    PressButton(files, IDOK);
    WaitUntilGone(files, kGoMs);
  } else {
    AnswerFileDialog(files, action.text);
  }
}

}  // namespace

bool EndsInput(UserAction::Kind) { return false; }

std::vector<DialogSeen> AnswerDialogs(DWORD processId, const std::vector<DialogScript>& scripts,
                                      const std::function<bool()>& over) {
  std::vector<DialogSeen> shown;
  DWORD process = processId != 0 ? processId : ::GetCurrentProcessId();
  for (const DialogScript& script : scripts) {
    HWND dialog = nullptr;
    ULONGLONG deadline = ::GetTickCount64() + kComeMs;
    while (dialog == nullptr && ::GetTickCount64() < deadline) {
      dialog = WaitForDialog(process, kPathCaption, 100);
      // One more look after the end: the dialog may have come just before.
      if (dialog == nullptr && over()) {
        dialog = WaitForDialog(process, kPathCaption, 0);
        break;
      }
    }
    if (dialog == nullptr) {
      break;
    }
    DialogSeen seen;
    PromptText(dialog, &seen.prompt);
    seen.prefill = Text(dialog, kPathField);
    for (size_t i = 0; i < script.size() && ::IsWindow(dialog); ++i) {
      const UserAction& action = script[i];
      DWORD goMs = i + 1 == script.size() ? kGoMs : kRefusedOkMs;
      switch (action.kind) {
        case UserAction::kTypeAndOk:
          SetControlText(dialog, kPathField, action.text);
          [[fallthrough]];
        case UserAction::kOk:
          PressButton(dialog, IDOK);
          WaitUntilGone(dialog, goMs);
          break;
        case UserAction::kBrowse:
        case UserAction::kBrowseCancel:
          Browse(dialog, action, &seen);
          break;
        case UserAction::kCloseBox:
          PressCloseBox(dialog);
          WaitUntilGone(dialog, goMs);
          break;
        case UserAction::kEscape:
          PressEscape(dialog);
          WaitUntilGone(dialog, goMs);
          break;
      }
    }
    // Never leave a modal dialog waiting for a user who is done.
    if (::IsWindow(dialog)) {
      PressCloseBox(dialog);
      WaitUntilGone(dialog, kGoMs);
    }
    shown.push_back(seen);
  }
  return shown;
}
