// Window classes. One name space for the whole process: the instance handle
// is kept but not used to tell classes apart.
#include <strings.h>

#include "platform/posix/WindowsState.h"

using posix_windows::Desktop;
using posix_windows::TheDesktop;
using posix_windows::WindowClass;

ATOM RegisterClassA(const WNDCLASSA* lpWndClass) {
  if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr ||
      IS_INTRESOURCE(lpWndClass->lpszClassName) || lpWndClass->lpszClassName[0] == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (posix_windows::FindClass(desktop, lpWndClass->lpszClassName) != nullptr) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  desktop.classes.push_back(
      WindowClass{lpWndClass->lpszClassName, *lpWndClass, desktop.nextAtom++});
  WindowClass& stored = desktop.classes.back();
  stored.attributes.lpszClassName = stored.name.c_str();
  stored.attributes.lpszMenuName = nullptr;  // not kept: nothing loads menus here
  return stored.atom;
}

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  for (auto it = desktop.classes.begin(); it != desktop.classes.end(); ++it) {
    bool match = IS_INTRESOURCE(lpClassName)
                     ? it->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(lpClassName))
                     : lpClassName != nullptr && strcasecmp(it->name.c_str(), lpClassName) == 0;
    if (!match) {
      continue;
    }
    for (const auto& entry : desktop.windows) {
      if (strcasecmp(entry.second.className.c_str(), it->name.c_str()) == 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
      }
    }
    desktop.classes.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const WindowClass* found = posix_windows::FindClass(desktop, lpClassName);
  if (found == nullptr || lpWndClass == nullptr) {
    SetLastError(found == nullptr ? ERROR_CLASS_DOES_NOT_EXIST : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpWndClass = found->attributes;
  return TRUE;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }
