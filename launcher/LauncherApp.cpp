#include "launcher/LauncherApp.h"

#include "launcher/HostWindow.h"

BEGIN_MESSAGE_MAP(LauncherApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

LauncherApp theApp;

BOOL LaunchModeFromCommandLine(const char* arguments) {
  return arguments != nullptr && arguments[0] != '\0' && arguments[1] == '1';
}

BOOL LauncherApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControls();

  {
    HostWindow host;
    if (host.Launch(LaunchModeFromCommandLine(m_lpCmdLine))) {
      m_pMainWnd = &host;
    }
  }
  // The host window and its control are gone, and with them the main window.
  m_pMainWnd = nullptr;
  return FALSE;
}
