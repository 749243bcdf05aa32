#include "framework/WinApp.h"

namespace {
CWinApp* theApp = nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName) { theApp = this; }

CWinApp::~CWinApp() {
  if (theApp == this) {
    theApp = nullptr;
  }
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

// No help file exists for these programs: the command is accepted and ignored.
void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() { return theApp; }

const char* AfxSkipBlanks(const char* arguments) {
  const char* p = arguments;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') {
    ++p;
  }
  return p;
}

const char* AfxSkipProgramName(const char* commandLine) {
  const char* p = commandLine;
  // A program name runs to the first blank or control character outside quotes.
  bool inQuotes = false;
  while (*p != '\0' && (inQuotes || static_cast<unsigned char>(*p) > ' ')) {
    if (*p == '"') {
      inQuotes = !inQuotes;
    }
    ++p;
  }
  return AfxSkipBlanks(p);
}

int AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) {
    return -1;
  }
  app->m_hInstance = hInstance;
  app->m_lpCmdLine = lpCmdLine;
  if (!app->InitInstance()) {
    // Start-up ended the job: no message loop.
    return app->ExitInstance();
  }
  return app->Run();
}
