// Our stand-in for the part of MFC that the programs use.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/WinApp.h"
