// Reading the DIALOG and DIALOGEX resources of a resource script (.rc), so
// that the POSIX build shows the same dialogs that the Windows build
// compiles into its resources, and writing them out as a C++ table.
//
// Understood: what RcScript.h reads; the winuser.h names of window,
// dialog, edit, button and static styles and of IDOK to IDNO and IDC_STATIC;
// style expressions with "|", "+", "NOT" and parentheses; the statements
// STYLE, EXSTYLE, CAPTION, FONT, LANGUAGE, VERSION, CHARACTERISTICS; the
// controls LTEXT, CTEXT, RTEXT, EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON and
// CONTROL with their default styles, as the resource compiler gives them.
// Other resources are skipped; anything else in a dialog is an error.
#pragma once

#include <string>
#include <vector>

namespace rc_dialogs {

struct Control {
  std::string className;  // "Static", "Edit", "Button" or as CONTROL names it
  std::string text;
  int id;
  unsigned long style;  // complete: defaults, WS_CHILD and WS_VISIBLE included
  unsigned long exStyle;
  int x, y, cx, cy;
};

struct Dialog {
  unsigned id;
  std::string caption;
  unsigned long style;
  unsigned long exStyle;
  int x, y, cx, cy;
  std::string fontName;
  int pointSize;
  std::vector<Control> controls;  // in template order
};

// headerDirectory: where #include "name" looks. False, with a message
// naming the line, when a dialog cannot be read or an id comes twice.
bool ParseDialogs(const std::string& script, const std::string& headerDirectory,
                  std::vector<Dialog>* dialogs, std::string* error);

// A C++ source that registers the dialogs with the POSIX framework.
std::string GenerateSource(const std::vector<Dialog>& dialogs, const std::string& origin);

}  // namespace rc_dialogs
