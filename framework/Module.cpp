#include "framework/Module.h"

#include <string>

#include "framework/ModuleName.h"
#include "framework/WinApp.h"

LPCSTR AfxGetAppName() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pszAppName != nullptr) {
    return app->m_pszAppName;
  }
  static const std::string moduleName = AfxModuleBaseName();
  return moduleName.c_str();
}
