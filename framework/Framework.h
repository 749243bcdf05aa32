// Our stand-in for the part of MFC that the programs use.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/WinApp.h"
#include "framework/ControlContainer.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Module.h"
#include "framework/RuntimeClass.h"
#include "framework/Wnd.h"
#include "framework/WndClass.h"
