// The desktop behind the stand-in's windowing calls, shared by its
// Windows*.cpp files and seen by nothing else. Every public call takes the
// desktop's lock once; the helpers here expect it taken. Enumeration callbacks
// run outside the lock, over a snapshot, so they may call back in.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/posix/Windows.h"

namespace posix_windows {

struct WindowClass {
  std::string name;
  WNDCLASSA attributes;  // lpszClassName points at name
  ATOM atom;
};

struct Window {
  std::string className;
  std::string text;
  DWORD style;
  DWORD exStyle;
  LONG id;
  HWND parent;  // the desktop for a top-level window
  HWND owner;   // null unless a top-level window was created with a parent
  RECT rect;    // relative to the parent's client area
  WNDPROC procedure;
};

struct Desktop {
  std::mutex lock;
  HWND handle;                          // the desktop window itself
  std::map<uintptr_t, Window> windows;  // by handle; handles only grow
  std::list<WindowClass> classes;       // registered ones; list keeps names in place
  uintptr_t nextHandle;
  ATOM nextAtom;
  HWND foreground = nullptr;  // as SetForegroundWindow last made it
};

Desktop& TheDesktop();

// Null for an unknown handle or the desktop.
Window* Find(Desktop& desktop, HWND hwnd);
// The same, also setting ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* FindOrFail(Desktop& desktop, HWND hwnd);
// True for the desktop and for every live window; else sets the error.
bool IsDesktopOrWindow(Desktop& desktop, HWND hwnd);

// A registered or predefined class by name or atom, or null.
const WindowClass* FindClass(Desktop& desktop, LPCSTR nameOrAtom);

// Children of a window (the desktop included), in the order of enumeration.
std::vector<HWND> Children(Desktop& desktop, HWND parent);
// True when `ancestor` is on the parent chain of `hwnd` (not hwnd itself).
bool IsDescendant(Desktop& desktop, HWND ancestor, HWND hwnd);

// The extended style as Windows keeps it: WS_EX_WINDOWEDGE follows from a
// dialog or sizing frame (or WS_EX_DLGMODALFRAME), whatever was asked for.
DWORD FixExStyle(DWORD style, DWORD exStyle);

// The frame between a window's rectangle and its client area.
RECT FrameInsets(const Window& window);
// The screen position of a window's client area (0,0 for the desktop).
POINT ClientOrigin(Desktop& desktop, HWND hwnd);

}  // namespace posix_windows
