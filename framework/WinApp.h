// The application object: one global object derived from CWinApp, whose
// InitInstance the entry point runs with the command line as m_lpCmdLine.
#pragma once

#include "framework/CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  // Runs the message loop; only reached when InitInstance returns TRUE.
  virtual int Run();
  virtual int ExitInstance();
  void OnHelp();
  // A no-op kept for the programs' sake: dialogs are drawn in 3D anyway.
  BOOL Enable3dControls();

  LPCSTR m_pszAppName;
  HINSTANCE m_hInstance = nullptr;
  // The arguments after the program's name, as AfxSkipProgramName leaves them.
  LPSTR m_lpCmdLine = nullptr;
  CWnd* m_pMainWnd = nullptr;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();

// Skips a program name (quoted or not) at the start of a full command line,
// then the blanks, tabs and other control characters after it.
const char* AfxSkipProgramName(const char* commandLine);

// Skips the blanks, tabs and other control characters at the start of an
// argument text.
const char* AfxSkipBlanks(const char* arguments);

// Hands the application object its instance and argument text and runs it:
// InitInstance, then Run when it returned TRUE, else ExitInstance.
int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine);
