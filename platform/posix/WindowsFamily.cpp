// Parents, owners, ancestors and enumeration.
#include <unistd.h>

#include "platform/posix/WindowsState.h"

using posix_windows::Desktop;
using posix_windows::TheDesktop;
using posix_windows::Window;

namespace {

void CollectTree(Desktop& desktop, HWND parent, std::vector<HWND>* out) {
  for (HWND child : posix_windows::Children(desktop, parent)) {
    out->push_back(child);
    CollectTree(desktop, child, out);
  }
}

// Runs the callback outside the lock, over windows that may have gone since.
BOOL Visit(const std::vector<HWND>& windows, WNDENUMPROC callback, LPARAM lParam) {
  for (HWND hwnd : windows) {
    if (IsWindow(hwnd) && !callback(hwnd, lParam)) {
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  Window* window = posix_windows::FindOrFail(desktop, hWndChild);
  HWND parent = hWndNewParent != nullptr ? hWndNewParent : desktop.handle;
  if (window == nullptr || !posix_windows::IsDesktopOrWindow(desktop, parent)) {
    return nullptr;
  }
  if (parent == hWndChild || posix_windows::IsDescendant(desktop, hWndChild, parent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND previous = window->parent;
  window->parent = parent;
  return previous;
}

HWND GetParent(HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return nullptr;
  }
  if (window->style & WS_CHILD) {
    return window->parent;
  }
  return (window->style & WS_POPUP) ? window->owner : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hwnd);
  if (window == nullptr) {
    return nullptr;
  }
  if (gaFlags == GA_PARENT) {
    return window->parent;
  }
  if (gaFlags != GA_ROOT && gaFlags != GA_ROOTOWNER) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND root = hwnd;
  while (window != nullptr && window->parent != desktop.handle) {
    root = window->parent;
    window = posix_windows::Find(desktop, root);
  }
  if (gaFlags == GA_ROOTOWNER) {
    // Owners are top-level windows created before the windows they own.
    while (window != nullptr && window->owner != nullptr &&
           posix_windows::Find(desktop, window->owner) != nullptr) {
      root = window->owner;
      window = posix_windows::Find(desktop, root);
    }
  }
  return root;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  const Window* window = posix_windows::FindOrFail(desktop, hWnd);
  if (window == nullptr) {
    return nullptr;
  }
  if (uCmd != GW_OWNER) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return window->owner;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  // Only a chain of WS_CHILD windows makes a window another's child.
  for (const Window* window = posix_windows::Find(desktop, hWnd);
       window != nullptr && (window->style & WS_CHILD);
       window = posix_windows::Find(desktop, window->parent)) {
    if (window->parent == hWndParent) {
      return TRUE;
    }
  }
  return FALSE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Desktop& desktop = TheDesktop();
  std::lock_guard<std::mutex> hold(desktop.lock);
  if (!posix_windows::IsDesktopOrWindow(desktop, hDlg)) {
    return nullptr;
  }
  for (HWND child : posix_windows::Children(desktop, hDlg)) {
    if (posix_windows::Find(desktop, child)->id == nIDDlgItem) {
      return child;
    }
  }
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND hWnd) { return static_cast<int>(GetWindowLongA(hWnd, GWL_ID)); }

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  Desktop& desktop = TheDesktop();
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> hold(desktop.lock);
    windows = posix_windows::Children(desktop, desktop.handle);
  }
  return Visit(windows, lpEnumFunc, lParam);
}

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  if (hWndParent == nullptr) {
    return EnumWindows(lpEnumFunc, lParam);
  }
  Desktop& desktop = TheDesktop();
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> hold(desktop.lock);
    if (!posix_windows::IsDesktopOrWindow(desktop, hWndParent)) {
      return FALSE;
    }
    CollectTree(desktop, hWndParent, &windows);
  }
  return Visit(windows, lpEnumFunc, lParam);
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  // One thread per program: its id is the process id.
  DWORD id = static_cast<DWORD>(getpid());
  if (lpdwProcessId != nullptr) {
    *lpdwProcessId = id;
  }
  return id;
}
