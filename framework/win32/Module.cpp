#include "framework/Module.h"

#include <cstdlib>
#include <string>

#include "framework/ModuleName.h"
#include "framework/WinApp.h"

HINSTANCE AfxGetInstanceHandle() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_hInstance != nullptr) {
    return app->m_hInstance;
  }
  return ::GetModuleHandleA(nullptr);
}

std::string AfxModuleBaseName() {
  char path[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) {
    return std::string();
  }
  char name[_MAX_FNAME];
  _splitpath(path, nullptr, nullptr, name, nullptr);
  return name;
}
