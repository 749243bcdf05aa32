#include "platform/posix/WindowsState.h"

#include <strings.h>

namespace posix_windows {

namespace {

const int kScreenWidth = 1024;
const int kScreenHeight = 768;
const int kCaptionHeight = 19;

// The classes every program can use without registering them.
const char* const kPredefinedClasses[] = {"Static", "Button", "Edit", "#32770"};

std::list<WindowClass> MakePredefinedClasses() {
  std::list<WindowClass> classes;
  ATOM atom = 0x8000;
  for (const char* name : kPredefinedClasses) {
    WindowClass entry{name, WNDCLASSA{}, atom++};
    classes.push_back(entry);
    WindowClass& stored = classes.back();
    stored.attributes.lpfnWndProc = DefWindowProcA;
    stored.attributes.lpszClassName = stored.name.c_str();
  }
  return classes;
}

}  // namespace

Desktop& TheDesktop() {
  static Desktop desktop{{}, reinterpret_cast<HWND>(uintptr_t{0x10010}), {}, {}, 0x10020, 0xC000};
  return desktop;
}

Window* Find(Desktop& desktop, HWND hwnd) {
  auto it = desktop.windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == desktop.windows.end() ? nullptr : &it->second;
}

Window* FindOrFail(Desktop& desktop, HWND hwnd) {
  Window* window = Find(desktop, hwnd);
  if (window == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  }
  return window;
}

bool IsDesktopOrWindow(Desktop& desktop, HWND hwnd) {
  return hwnd == desktop.handle || FindOrFail(desktop, hwnd) != nullptr;
}

const WindowClass* FindClass(Desktop& desktop, LPCSTR nameOrAtom) {
  static const std::list<WindowClass> predefined = MakePredefinedClasses();
  if (nameOrAtom == nullptr) {
    return nullptr;
  }
  const std::list<WindowClass>* lists[] = {&desktop.classes, &predefined};
  for (const std::list<WindowClass>* list : lists) {
    for (const WindowClass& entry : *list) {
      bool match = IS_INTRESOURCE(nameOrAtom)
                       ? entry.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom))
                       : strcasecmp(entry.name.c_str(), nameOrAtom) == 0;
      if (match) {
        return &entry;
      }
    }
  }
  return nullptr;
}

std::vector<HWND> Children(Desktop& desktop, HWND parent) {
  std::vector<HWND> children;
  for (const auto& [handle, window] : desktop.windows) {
    if (window.parent == parent) {
      children.push_back(reinterpret_cast<HWND>(handle));
    }
  }
  // New top-level windows go on top, new children to the bottom.
  if (parent == desktop.handle) {
    std::vector<HWND> newestFirst(children.rbegin(), children.rend());
    return newestFirst;
  }
  return children;
}

bool IsDescendant(Desktop& desktop, HWND ancestor, HWND hwnd) {
  // Each step goes up one level; the chain ends at the desktop.
  for (const Window* window = Find(desktop, hwnd); window != nullptr;
       window = Find(desktop, window->parent)) {
    if (window->parent == ancestor) {
      return true;
    }
  }
  return false;
}

DWORD FixExStyle(DWORD style, DWORD exStyle) {
  bool edge = (exStyle & WS_EX_DLGMODALFRAME) ||
              (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME)));
  return edge ? exStyle | WS_EX_WINDOWEDGE : exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE);
}

RECT FrameInsets(const Window& window) {
  LONG border = 0;
  if (window.style & WS_THICKFRAME) {
    border = 4;
  } else if (window.style & WS_DLGFRAME) {
    border = 3;
  } else if (window.style & WS_BORDER) {
    border = 1;
  }
  if (window.exStyle & WS_EX_CLIENTEDGE) {
    border += 2;
  }
  if (window.exStyle & WS_EX_STATICEDGE) {
    border += 1;
  }
  LONG caption = (window.style & WS_CAPTION) == WS_CAPTION ? kCaptionHeight : 0;
  return RECT{border, border + caption, border, border};
}

POINT ClientOrigin(Desktop& desktop, HWND hwnd) {
  POINT origin{0, 0};
  for (const Window* window = Find(desktop, hwnd); window != nullptr;
       window = Find(desktop, window->parent)) {
    RECT insets = FrameInsets(*window);
    origin.x += window->rect.left + insets.left;
    origin.y += window->rect.top + insets.top;
  }
  return origin;
}

}  // namespace posix_windows

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN:
      return posix_windows::kScreenWidth;
    case SM_CYSCREEN:
      return posix_windows::kScreenHeight;
    case SM_CYCAPTION:
      return posix_windows::kCaptionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    default:
      return 0;
  }
}
