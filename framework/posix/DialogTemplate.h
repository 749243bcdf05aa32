// Dialog templates on POSIX: the build turns the DIALOG resources of a
// program's .rc file into a generated source (qc_add_dialog_templates in
// framework/DialogTemplates.cmake) whose one static object registers them
// here before main runs, so that the .rc file stays the one source of every
// dialog on both targets. Units are dialog units, as in the script; control
// styles are complete (the statement's defaults, WS_CHILD and WS_VISIBLE
// included).
#pragma once

#include "platform/Win32Api.h"

namespace posix_dialogs {

struct DialogControl {
  const char* className;  // "Static", "Edit", "Button"
  const char* text;
  int id;
  DWORD style;
  DWORD exStyle;
  int x, y, cx, cy;
};

struct DialogTemplate {
  UINT id;
  const char* caption;
  DWORD style;
  DWORD exStyle;
  int x, y, cx, cy;
  const char* fontName;
  int pointSize;
  const DialogControl* controls;  // in template order
  int controlCount;
};

// Keeps a pointer to the templates, which must outlive every dialog. When
// two registrations give the same id, the first one wins.
void RegisterDialogTemplates(const DialogTemplate* templates, int count);
// Null when no template has the id.
const DialogTemplate* FindDialogTemplate(UINT id);

struct DialogTemplateRegistration {
  DialogTemplateRegistration(const DialogTemplate* templates, int count) {
    RegisterDialogTemplates(templates, count);
  }
};

}  // namespace posix_dialogs
