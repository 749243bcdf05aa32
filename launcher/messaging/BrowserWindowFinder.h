// The window of the browser that started the host, which the host window
// moves into as the launcher's does. A browser names no window when its
// extension's service worker asks (the toolbar button), so the window is
// also found by its caption: today's browsers caption their windows
// "<title> - Google Chrome", "<title> - Microsoft Edge" (a profile name may
// come between) or "<title> — Mozilla Firefox".
#pragma once

#include <cstdint>
#include <string>

#include "platform/Win32Api.h"

namespace native_host {

// In this order: the given window's top-level owner, when the handle is not
// 0 and names a window; the foreground window, when its caption begins with
// the title; the first visible top-level window whose caption begins with
// the title followed by a blank. Null when none is found.
HWND FindBrowserWindow(uintptr_t parentWindow, const std::string& title);

}  // namespace native_host
