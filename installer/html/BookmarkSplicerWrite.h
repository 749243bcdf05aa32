// The writers of the bookmark splice. Both report whether every byte was
// written, so that a short or failed write never goes unnoticed.
#pragma once

#include "platform/Win32Api.h"

// 0 when text is null; otherwise nonzero when one WriteFile wrote the
// whole text.
BOOL WriteString(HANDLE file, const char* text);

// Writes the product's folder (a heading and three links into productDir)
// as six lines ended by CR LF. FALSE, writing nothing, for
// INVALID_HANDLE_VALUE.
BOOL WriteFolderBlock(HANDLE file, const char* productDir);

// After the folder block, a folder of the given name at the end of the
// file holding the product's folder. FALSE when a write failed or the name
// does not fit the 2048-byte line buffer.
BOOL WriteNewToolbarFolder(HANDLE file, const char* name, const char* productDir);
