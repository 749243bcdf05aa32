// Snaplet's application object: the whole job runs in InitInstance.
#pragma once

#include "framework/Framework.h"

class LauncherApp : public CWinApp {
 public:
  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};

// The mode is TRUE when the argument text's second character is "1".
BOOL LaunchModeFromCommandLine(const char* arguments);
