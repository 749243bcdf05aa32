// Window text, class name, styles, id and visibility.
#include <cstring>

#include "platform/posix/WindowsState.h"

using posix_windows::Desktop;
using posix_windows::TheDesktop;
using posix_windows::Window;

namespace {

// Copies at most size - 1 characters and a zero; returns the count copied.
int CopyBounded(const std::string& text, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) {
    return 0;
  }
  size_t count =
      text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

}  // namespace

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    if (lpString != nullptr && nMaxCount > 0) {
      lpString[0] = '\0';
    }
    return 0;
  }
  return CopyBounded(window->text, lpString, nMaxCount);
}

int GetWindowTextLengthA(HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  return window != nullptr ? static_cast<int>(window->text.size()) : 0;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return FALSE;
  }
  window->text = lpString != nullptr ? lpString : "";
  return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  return window != nullptr ? CopyBounded(window->className, lpClassName, nMaxCount) : 0;
}

LONG GetWindowLongA(HWND hWnd, int nIndex) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return 0;
  }
  switch (nIndex) {
    case GWL_STYLE:
      return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(window->exStyle);
    case GWL_ID:
      return window->id;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return 0;
  }
  LONG previous = 0;
  switch (nIndex) {
    case GWL_STYLE:
      previous = static_cast<LONG>(window->style);
      window->style = static_cast<DWORD>(dwNewLong);
      window->exStyle = posix_windows::FixExStyle(window->style, window->exStyle);
      break;
    case GWL_EXSTYLE:
      previous = static_cast<LONG>(window->exStyle);
      window->exStyle = posix_windows::FixExStyle(window->style, static_cast<DWORD>(dwNewLong));
      break;
    case GWL_ID:
      previous = window->id;
      window->id = dwNewLong;
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  // A previous value of 0 is told from a failure by the last error, as on Windows.
  SetLastError(ERROR_SUCCESS);
  return previous;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return FALSE;
  }
  BOOL wasVisible = (window->style & WS_VISIBLE) ? TRUE : FALSE;
  if (nCmdShow == SW_HIDE) {
    window->style &= ~static_cast<DWORD>(WS_VISIBLE);
  } else {
    window->style |= WS_VISIBLE;
  }
  return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  for (const Window* window = posix_windows::Find(desktop, hWnd); window != nullptr;
       window = posix_windows::Find(desktop, window->parent)) {
    if (!(window->style & WS_VISIBLE)) {
      return FALSE;
    }
    if (window->parent == desktop.handle) {
      return TRUE;
    }
  }
  return FALSE;
}

HWND GetForegroundWindow() {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  return posix_windows::Find(desktop, desktop.foreground) != nullptr ? desktop.foreground : nullptr;
}

BOOL SetForegroundWindow(HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr || window->parent != desktop.handle) {
    return FALSE;
  }
  desktop.foreground = hWnd;
  return TRUE;
}
