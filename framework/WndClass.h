// Window classes registered by the framework on the program's behalf.
#pragma once

#include "platform/Win32Api.h"

// Registers (once) a class with these attributes and the default window
// procedure, and returns its name, "Afx:<instance>:<style>:<cursor>:<brush>:<icon>"
// in hexadecimal. The name stays valid until the program ends, whatever is
// registered later. Null when the class cannot be registered.
LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                           HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
