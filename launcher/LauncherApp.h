// Snaplet's application object: the whole job runs in InitInstance. Started
// by a browser as its native messaging host, or with a registration switch,
// it does that job instead, and its exit status tells the outcome.
#pragma once

#include "framework/Framework.h"

class LauncherApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  // The exit status: 0 for the launcher's runs, which tell nobody.
  int ExitInstance() override;

  int exitStatus = 0;

  DECLARE_MESSAGE_MAP()
};

// The mode is TRUE when the argument text's second character is "1".
BOOL LaunchModeFromCommandLine(const char* arguments);
