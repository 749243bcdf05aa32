// The platform half of CWnd's control container: making a control live in a
// site window, calling it, and ending it. framework/win32 hosts an ActiveX
// control through COM; framework/posix loads a control module named in the
// registry. Neither reports failure other than by its result.
#pragma once

#include "platform/Win32Api.h"

struct COleControlSite;

// The type byte of VTS_WBSTR (framework/Wnd.h).
constexpr VARTYPE kWideTextArgument = 0x0E;

struct ControlArgument {
  VARTYPE type;             // VT_BSTR, kWideTextArgument, VT_I4, VT_BOOL or VT_I2
  LPCSTR text;              // VT_BSTR; may be null
  LONG number;              // VT_I4, VT_BOOL, VT_I2
  const OLECHAR* wideText;  // kWideTextArgument; may be null
};

// The control of the class id, created and activated in the site window, or
// null with nothing left behind. *controlWindow: the control's own window, or
// the site window when it has none.
COleControlSite* AfxCreateControlSite(REFCLSID clsid, HWND siteWindow, HWND* controlWindow);

// Ends the control; the site window is the caller's to destroy afterwards.
void AfxDestroyControlSite(COleControlSite* site);

// One call. The result is stored only on success (the caller zeroes it first).
BOOL AfxInvokeControl(COleControlSite* site, DISPID dispId, WORD flags,
                      const ControlArgument* arguments, int argumentCount, VARTYPE resultType,
                      void* result);
