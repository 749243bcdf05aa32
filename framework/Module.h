// The program's module as the framework sees it.
#pragma once

#include "platform/Win32Api.h"

// The application object's instance handle, else the program's own module.
HINSTANCE AfxGetInstanceHandle();

// The application's name: m_pszAppName when set, else the program's file
// name without directory and extension. Empty when neither is known.
LPCSTR AfxGetAppName();
