// The binary interface between the framework and a control module on POSIX.
// A control is a shared object named by the default value of
// HKEY_CLASSES_ROOT\CLSID\{class id}\InprocServer32 in the registry; it
// exports the three functions below with C linkage. The module does not link
// the Win32 stand-in itself (it would get a desktop of its own), so the host
// hands it the windowing functions of the program's desktop.
#pragma once

#include "platform/Win32Api.h"

#define QC_CONTROL_ABI_VERSION 1

struct QcControlHost {
  int version;  // QC_CONTROL_ABI_VERSION
  HWND (*CreateWindowExA)
  (DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID);
  BOOL (*DestroyWindow)(HWND);
  BOOL (*IsWindow)(HWND);
  HWND (*GetAncestor)(HWND, UINT);
  int (*GetWindowTextA)(HWND, LPSTR, int);
  BOOL (*GetClientRect)(HWND, LPRECT);
};

extern "C" {

struct QcControl;

// Creates and activates the control in the site window. Null on failure, with
// nothing left behind. *controlWindow: the control's own window, or null.
typedef QcControl* (*QcControlCreateFunction)(const QcControlHost* host, HWND site,
                                              HWND* controlWindow);
// One dispatch call with no argument (argumentCount 0) or one string (which
// may be null). *result: the member's result as a number (a boolean is
// nonzero for TRUE). S_OK, or an error such as DISP_E_MEMBERNOTFOUND.
typedef HRESULT (*QcControlInvokeFunction)(QcControl* control, DISPID dispId, WORD flags,
                                           int argumentCount, const char* argument, LONG* result);
// Ends the control and its window.
typedef void (*QcControlDestroyFunction)(QcControl* control);

}  // extern "C"

#define QC_CONTROL_CREATE_SYMBOL "QcControlCreate"
#define QC_CONTROL_INVOKE_SYMBOL "QcControlInvoke"
#define QC_CONTROL_DESTROY_SYMBOL "QcControlDestroy"
