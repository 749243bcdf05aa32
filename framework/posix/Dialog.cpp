// CDialog on POSIX: the dialog's windows are made from its template on the
// stand-in's desktop, so that binding and commands work as on Windows, and
// the user answers the dialog as a prompt (see DialogTerminal.h).
#include "framework/Dialog.h"

#include <cstdio>
#include <string>

#include "framework/posix/DialogTemplate.h"
#include "framework/posix/DialogTerminal.h"

namespace {

using posix_dialogs::DialogControl;
using posix_dialogs::DialogTemplate;

// Button styles of winuser.h.
constexpr DWORD kButtonTypeMask = 0x0F;
constexpr DWORD kPushButton = 0x00;
constexpr DWORD kDefPushButton = 0x01;

// Dialog units to pixels for an 8-point dialog font (4 x 8 units per
// average character of 6 x 13 pixels).
int Across(int units) { return units * 6 / 4; }
int Down(int units) { return units * 13 / 8; }

HWND CreateFromTemplate(const DialogTemplate& dialogTemplate, HWND parent) {
  HWND dialog = ::CreateWindowExA(dialogTemplate.exStyle, "#32770", dialogTemplate.caption,
                                  dialogTemplate.style, Across(dialogTemplate.x),
                                  Down(dialogTemplate.y), Across(dialogTemplate.cx),
                                  Down(dialogTemplate.cy), parent, nullptr, nullptr, nullptr);
  if (dialog == nullptr) {
    return nullptr;
  }
  for (int i = 0; i < dialogTemplate.controlCount; ++i) {
    const DialogControl& control = dialogTemplate.controls[i];
    HWND made = ::CreateWindowExA(
        control.exStyle, control.className, control.text, control.style | WS_CHILD,
        Across(control.x), Down(control.y), Across(control.cx), Down(control.cy), dialog,
        reinterpret_cast<HMENU>(static_cast<intptr_t>(control.id)), nullptr, nullptr);
    if (made == nullptr) {
      ::DestroyWindow(dialog);
      return nullptr;
    }
  }
  return dialog;
}

bool IsClass(const DialogControl& control, const char* name) {
  return _stricmp(control.className, name) == 0;
}

bool IsPushButton(const DialogControl& control) {
  DWORD type = control.style & kButtonTypeMask;
  return IsClass(control, "Button") && (type == kPushButton || type == kDefPushButton);
}

std::string Text(HWND window) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  int length = ::GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

// Caption, prompt texts, the field's value, and how to answer.
void ShowPrompt(HWND dialog, const DialogTemplate& dialogTemplate) {
  FILE* out = posix_dialogs::DialogOutput();
  std::fprintf(out, "%s\n", Text(dialog).c_str());
  std::string buttons;
  for (int i = 0; i < dialogTemplate.controlCount; ++i) {
    const DialogControl& control = dialogTemplate.controls[i];
    HWND window = ::GetDlgItem(dialog, control.id);
    if (IsClass(control, "Static")) {
      std::fprintf(out, "%s\n", Text(window).c_str());
    } else if (IsClass(control, "Edit")) {
      std::fprintf(out, "[%s]\n", Text(window).c_str());
    } else if (IsPushButton(control) && (control.style & kButtonTypeMask) != kDefPushButton) {
      buttons += "; \"" + Text(window) + "\": the " + Text(window) + " button";
    }
  }
  if (posix_dialogs::DialogInputIsTerminal()) {
    std::fprintf(out, "(Enter: OK; a typed line replaces the field%s; Ctrl-D cancels)\n",
                 buttons.c_str());
  }
  std::fprintf(out, "> ");
  std::fflush(out);
}

const DialogControl* FirstOf(const DialogTemplate& dialogTemplate, const char* className) {
  for (int i = 0; i < dialogTemplate.controlCount; ++i) {
    if (IsClass(dialogTemplate.controls[i], className)) {
      return &dialogTemplate.controls[i];
    }
  }
  return nullptr;
}

// The control that a line presses: a push button whose text it is, else the
// default push button (the field then takes the line, unless it is empty).
UINT ButtonFor(HWND dialog, const DialogTemplate& dialogTemplate, const std::string& line) {
  UINT defaultButton = IDOK;
  for (int i = 0; i < dialogTemplate.controlCount; ++i) {
    const DialogControl& control = dialogTemplate.controls[i];
    if (!IsPushButton(control)) {
      continue;
    }
    if ((control.style & kButtonTypeMask) == kDefPushButton) {
      defaultButton = static_cast<UINT>(control.id);
    } else if (!line.empty() && line == Text(::GetDlgItem(dialog, control.id))) {
      return static_cast<UINT>(control.id);
    }
  }
  const DialogControl* field = FirstOf(dialogTemplate, "Edit");
  if (field != nullptr && !line.empty()) {
    ::SetWindowTextA(::GetDlgItem(dialog, field->id), line.c_str());
  }
  return defaultButton;
}

}  // namespace

int CDialog::DoModal() {
  if (m_hWnd != nullptr) {
    return -1;
  }
  const DialogTemplate* dialogTemplate = posix_dialogs::FindDialogTemplate(m_nIDTemplate);
  if (dialogTemplate == nullptr) {
    return -1;
  }
  HWND dialog =
      CreateFromTemplate(*dialogTemplate, m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr);
  if (dialog == nullptr) {
    return -1;
  }
  OnDialogStart(dialog);
  while (!m_bEnded) {
    ShowPrompt(dialog, *dialogTemplate);
    std::string line;
    bool read = posix_dialogs::ReadDialogLine(&line);
    // Input that is not typed, and a typed Ctrl-D, leave the line unended.
    if (!read || !posix_dialogs::DialogInputIsTerminal()) {
      std::fprintf(posix_dialogs::DialogOutput(), "\n");
    }
    if (!read) {
      OnDialogCommand(IDCANCEL, BN_CLICKED);
      // With no more input nothing else can end the dialog.
      if (!m_bEnded) {
        EndDialog(IDCANCEL);
      }
      break;
    }
    OnDialogCommand(ButtonFor(dialog, *dialogTemplate, line), BN_CLICKED);
  }
  OnDialogEnd();
  ::DestroyWindow(dialog);
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEnded = true;
}
