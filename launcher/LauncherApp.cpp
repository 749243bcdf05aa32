#include "launcher/LauncherApp.h"

#include "framework/Arguments.h"
#include "launcher/HostWindow.h"
#include "launcher/ProgramConventions.h"
#include "launcher/messaging/HostCommandLine.h"
#include "launcher/messaging/HostRun.h"
#include "launcher/messaging/Registration.h"

BEGIN_MESSAGE_MAP(LauncherApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

LauncherApp theApp;

BOOL LaunchModeFromCommandLine(const char* arguments) {
  return arguments != nullptr && arguments[0] != '\0' && arguments[1] == '1';
}

BOOL LauncherApp::InitInstance() {
  if (launcher::AnswerInformationRequest(AfxGetArguments())) {
    return FALSE;
  }
  native_host::HostCommandLine commandLine = native_host::ReadHostCommandLine(AfxGetArguments());
  switch (commandLine.role) {
    case native_host::SnapletRole::kRegister:
      exitStatus = native_host::RegisterHost();
      return FALSE;
    case native_host::SnapletRole::kUnregister:
      exitStatus = native_host::UnregisterHost();
      return FALSE;
    case native_host::SnapletRole::kChromiumHost:
    case native_host::SnapletRole::kFirefoxHost:
      AfxEnableControlContainer();
      Enable3dControls();
      exitStatus = native_host::RunAsHost(commandLine);
      return FALSE;
    case native_host::SnapletRole::kLauncher:
      break;
  }

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

int LauncherApp::ExitInstance() { return exitStatus; }
