// Where the POSIX dialogs talk to the user: standard input and output,
// unless a test hands them streams of its own.
//
// How a user answers a dialog on a terminal: the dialog shows its caption,
// its prompt text and the field's value in brackets; Enter keeps the value
// and presses the default button (OK), a typed line replaces the value and
// presses it, a line that is exactly a button's text ("...") presses that
// button, and end of input (Ctrl-D) cancels, as the close box does. With no
// terminal and nothing to read, a dialog cancels at once.
#pragma once

#include <cstdio>
#include <string>

namespace posix_dialogs {

// Null for either restores the standard stream.
void SetDialogTerminal(FILE* input, FILE* output);
FILE* DialogOutput();
// Whether a person is typing (the input is a terminal).
bool DialogInputIsTerminal();
// One line without its end (LF or CR LF). False at end of input; the end is
// then cleared, so that a terminal can go on after one Ctrl-D.
bool ReadDialogLine(std::string* line);

}  // namespace posix_dialogs
