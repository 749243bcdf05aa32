// Message boxes with texts from the program's string table.
#pragma once

#include "platform/Win32Api.h"

// Shows string nIDPrompt of the string table (an empty text when there is no
// such string) in a message box of style nType, captioned with the
// application's name and owned by the main window (none when there is no
// main window). Returns the button pressed; on POSIX the text goes to
// standard error as one line and IDOK comes back. nIDHelp is accepted for
// the caller's sake; there is no help file.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
