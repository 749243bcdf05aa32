// The Win32 subset that the programs call. On Windows it is the system's own;
// elsewhere it is our stand-in under platform/posix/, with the same names.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <ddeml.h>
#include <ole2.h>
#include <stdlib.h>
#else
#include "platform/posix/Win32Types.h"
#include "platform/posix/Ddeml.h"
#include "platform/posix/Crt.h"
#include "platform/posix/Files.h"
#include "platform/posix/Registry.h"
#include "platform/posix/Windows.h"
#endif
