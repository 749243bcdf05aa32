#include "framework/Module.h"

#include <unistd.h>

#include <string>

#include "framework/ModuleName.h"
#include "framework/WinApp.h"

// There are no module handles on POSIX; the application's, if any, is kept.
HINSTANCE AfxGetInstanceHandle() {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->m_hInstance : nullptr;
}

std::string AfxModuleBaseName() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) {
    return std::string();
  }
  std::string name(path, static_cast<size_t>(length));
  name.erase(0, name.find_last_of('/') + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot != 0) {
    name.erase(dot);
  }
  return name;
}
