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
  // As the C runtime's start-up has always done it: a quoted name ends at its
  // closing quote, any other at the first blank or control character.
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') {
      ++p;
    }
    if (*p == '"') {
      ++p;
    }
  } else {
    while (static_cast<unsigned char>(*p) > ' ') {
      ++p;
    }
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
