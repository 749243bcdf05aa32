// A user answering the installer's path dialogs, the same script on both
// targets: under Windows the dialog driver does it on the real dialogs (of
// this process or of another), natively the script becomes the lines typed
// at the terminal prompts.
#pragma once

#include <string>
#include <vector>

struct UserAction {
  enum Kind {
    kOk,            // OK as the field stands (Enter)
    kTypeAndOk,     // the field replaced by text, then OK
    kBrowse,        // "...", then the file-open dialog answered with text
                    // (empty: its own name kept)
    kBrowseCancel,  // "...", then the file-open dialog cancelled
    kCloseBox,      // the close box
    kEscape,        // the Escape key
  };
  Kind kind;
  std::string text;
};

// One dialog's script; the dialogs of a run follow one another.
typedef std::vector<UserAction> DialogScript;

// What the user saw of one dialog.
struct DialogSeen {
  std::string prompt;    // the static text
  std::string prefill;   // the field when the dialog came up
  std::string fileName;  // the file-open dialog's name when it came up
  std::string filter;    // the file-open dialog's filter as shown
};

// On a terminal, cancelling the file-open dialog or a path dialog is the
// end of input: nothing can follow it there.
bool EndsInput(UserAction::Kind kind);

#ifdef _WIN32
#include <windows.h>

#include <functional>
// Answers the dialogs of the process (0: this process) in turn; stops at a
// dialog that does not come within the bound, or as soon as over() says
// that no more can come. A dialog still open at the end of its script is
// closed with its close box.
std::vector<DialogSeen> AnswerDialogs(DWORD processId, const std::vector<DialogScript>& scripts,
                                      const std::function<bool()>& over);
#else
// The lines typed for the scripts.
std::string TerminalInput(const std::vector<DialogScript>& scripts);
// The dialogs shown in the terminal output, one per run of prompts with the
// same text.
std::vector<DialogSeen> DialogsShown(const std::string& output);
#endif
