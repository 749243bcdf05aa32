// Where the page's UTF-8 texts meet the platform. On Windows the control
// gets them as UTF-16, so that a title in any script arrives unchanged, and
// captions are compared in UTF-16; natively both stay UTF-8, as every text
// of the stand-in is. (PlatformTextWin32.cpp, PlatformTextPosix.cpp)
#pragma once

#include <string>

#include "launcher/CKZ_meter.h"
#include "platform/Win32Api.h"

namespace native_host {

bool CaptionBeginsWith(HWND window, const std::string& prefix);

// The control's SetTitle; then SaveMode1 (mode TRUE) or SaveDefault. Each
// returns the control's result, FALSE when the call failed.
BOOL GiveTitle(CKZ_meter* control, const std::string& title);
BOOL GiveUrl(CKZ_meter* control, BOOL mode, const std::string& url);

}  // namespace native_host
