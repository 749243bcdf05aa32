// Window positions and sizes.
#include "platform/posix/WindowsState.h"

using posix_windows::Desktop;
using posix_windows::TheDesktop;
using posix_windows::Window;

namespace {

LONG NotNegative(int value) { return value < 0 ? 0 : value; }

}  // namespace

BOOL SetWindowPos(HWND hWnd, HWND, int X, int Y, int cx, int cy, UINT uFlags) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return FALSE;
  }
  // There is no Z order beyond creation order, so the insert-after window is not used.
  LONG width = window->rect.right - window->rect.left;
  LONG height = window->rect.bottom - window->rect.top;
  if (!(uFlags & SWP_NOSIZE)) {
    width = NotNegative(cx);
    height = NotNegative(cy);
  }
  if (!(uFlags & SWP_NOMOVE)) {
    window->rect.left = X;
    window->rect.top = Y;
  }
  window->rect.right = window->rect.left + width;
  window->rect.bottom = window->rect.top + height;
  if (uFlags & SWP_SHOWWINDOW) {
    window->style |= WS_VISIBLE;
  } else if (uFlags & SWP_HIDEWINDOW) {
    window->style &= ~static_cast<DWORD>(WS_VISIBLE);
  }
  return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL) {
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (lpRect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hWnd == desktop.handle) {
    *lpRect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TRUE;
  }
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return FALSE;
  }
  POINT origin = posix_windows::ClientOrigin(desktop, window->parent);
  *lpRect = RECT{window->rect.left + origin.x, window->rect.top + origin.y,
                 window->rect.right + origin.x, window->rect.bottom + origin.y};
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (lpRect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hWnd == desktop.handle) {
    *lpRect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TRUE;
  }
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return FALSE;
  }
  RECT insets = posix_windows::FrameInsets(*window);
  LONG width = window->rect.right - window->rect.left - insets.left - insets.right;
  LONG height = window->rect.bottom - window->rect.top - insets.top - insets.bottom;
  *lpRect = RECT{0, 0, width < 0 ? 0 : width, height < 0 ? 0 : height};
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (lpPoint == nullptr || !posix_windows::IsDesktopOrWindow(desktop, hWnd)) {
    return FALSE;
  }
  POINT origin = posix_windows::ClientOrigin(desktop, hWnd);
  lpPoint->x += origin.x;
  lpPoint->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (lpPoint == nullptr || !posix_windows::IsDesktopOrWindow(desktop, hWnd)) {
    return FALSE;
  }
  POINT origin = posix_windows::ClientOrigin(desktop, hWnd);
  lpPoint->x -= origin.x;
  lpPoint->y -= origin.y;
  return TRUE;
}
