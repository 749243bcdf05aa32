#include "framework/WndClass.h"

#include <cstdio>
#include <set>
#include <string>

#include "framework/Module.h"

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE instance = AfxGetInstanceHandle();
  char name[128];
  std::snprintf(name, sizeof name, "Afx:%llx:%x:%llx:%llx:%llx",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(instance)), nClassStyle,
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hCursor)),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hbrBackground)),
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hIcon)));
  // Every name handed out stays in place, so callers may keep the pointer.
  static std::set<std::string> registered;
  auto known = registered.find(name);
  if (known != registered.end()) {
    return known->c_str();
  }
  WNDCLASSA attributes{};
  if (!::GetClassInfoA(instance, name, &attributes)) {
    attributes.style = nClassStyle;
    attributes.lpfnWndProc = ::DefWindowProcA;
    attributes.hInstance = instance;
    attributes.hIcon = hIcon;
    attributes.hCursor = hCursor;
    attributes.hbrBackground = hbrBackground;
    attributes.lpszClassName = name;
    if (::RegisterClassA(&attributes) == 0) {
      return nullptr;
    }
  }
  return registered.insert(name).first->c_str();
}
