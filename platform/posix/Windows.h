// Stand-in for the Win32 Windows functions; filled in as the programs need them.
#pragma once

#include "platform/posix/Win32Types.h"
