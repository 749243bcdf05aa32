// Creating, destroying and finding windows.
#include <strings.h>

#include <algorithm>

#include "platform/posix/WindowsState.h"

using posix_windows::Desktop;
using posix_windows::TheDesktop;
using posix_windows::Window;

namespace {

LONG Dimension(int value) { return value == CW_USEDEFAULT || value < 0 ? 0 : value; }

// The window, its children and the windows it owns, each before its own.
void CollectDestroyed(Desktop& desktop, HWND hwnd, std::vector<uintptr_t>* doomed) {
  uintptr_t self = reinterpret_cast<uintptr_t>(hwnd);
  // Reparenting can make a window's child also its owner: visit each once.
  if (std::find(doomed->begin(), doomed->end(), self) != doomed->end()) {
    return;
  }
  doomed->push_back(self);
  for (const auto& [handle, window] : desktop.windows) {
    if (window.parent == hwnd || window.owner == hwnd) {
      CollectDestroyed(desktop, reinterpret_cast<HWND>(handle), doomed);
    }
  }
}

}  // namespace

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE,
                     LPVOID) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const posix_windows::WindowClass* windowClass = posix_windows::FindClass(desktop, lpClassName);
  if (windowClass == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (hWndParent != nullptr && !posix_windows::IsDesktopOrWindow(desktop, hWndParent)) {
    return nullptr;
  }
  bool child = (dwStyle & WS_CHILD) != 0;
  if (child && (hWndParent == nullptr || hWndParent == desktop.handle)) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  Window window{windowClass->name,
                lpWindowName != nullptr ? lpWindowName : "",
                dwStyle,
                posix_windows::FixExStyle(dwStyle, dwExStyle),
                child ? static_cast<LONG>(reinterpret_cast<intptr_t>(hMenu)) : 0,
                child ? hWndParent : desktop.handle,
                nullptr,
                RECT{X == CW_USEDEFAULT ? 0 : X, Y == CW_USEDEFAULT ? 0 : Y, 0, 0},
                windowClass->attributes.lpfnWndProc};
  window.rect.right = window.rect.left + Dimension(nWidth);
  window.rect.bottom = window.rect.top + Dimension(nHeight);
  if (!child && hWndParent != nullptr && hWndParent != desktop.handle) {
    // An owner is always a top-level window.
    HWND owner = hWndParent;
    for (const Window* up = posix_windows::Find(desktop, owner);
         up != nullptr && up->parent != desktop.handle; up = posix_windows::Find(desktop, owner)) {
      owner = up->parent;
    }
    window.owner = owner;
  }
  uintptr_t handle = desktop.nextHandle++;
  desktop.windows.emplace(handle, window);
  return reinterpret_cast<HWND>(handle);
}

BOOL DestroyWindow(HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (posix_windows::FindOrFail(desktop, hWnd) == nullptr) {
    return FALSE;
  }
  std::vector<uintptr_t> doomed;
  CollectDestroyed(desktop, hWnd, &doomed);
  for (uintptr_t handle : doomed) {
    desktop.windows.erase(handle);
  }
  return TRUE;
}

BOOL IsWindow(HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  return hWnd == desktop.handle || posix_windows::Find(desktop, hWnd) != nullptr;
}

HWND GetDesktopWindow() { return TheDesktop().handle; }

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const posix_windows::WindowClass* wanted = nullptr;
  if (lpClassName != nullptr) {
    wanted = posix_windows::FindClass(desktop, lpClassName);
    if (wanted == nullptr) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
  }
  for (HWND hwnd : posix_windows::Children(desktop, desktop.handle)) {
    const Window* window = posix_windows::Find(desktop, hwnd);
    if (wanted != nullptr && window->className != wanted->name) {
      continue;
    }
    // Captions compare without regard to case, as on Windows.
    if (lpWindowName == nullptr || strcasecmp(window->text.c_str(), lpWindowName) == 0) {
      return hwnd;
    }
  }
  return nullptr;
}
