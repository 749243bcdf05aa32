// Foldmint's application object: takes the bookmark file and the product
// directory from the command line, asks for a missing one with a path
// dialog, and splices the product's folder into the bookmark file, all
// inside InitInstance. The dialogs write straight into the two buffers.
#pragma once

#include "framework/WinApp.h"

class InstallerApp : public CWinApp {
 public:
  InstallerApp();
  ~InstallerApp() override;

  // Always FALSE: the job is done when it returns, no message loop follows.
  BOOL InitInstance() override;

  // Adds the product's folder to the bookmark file named by bookmarkPath,
  // once, keeping a one-time backup beside it. Reports nothing.
  void BookmarkSplicer();

  char bookmarkPath[MAX_PATH];
  char productDir[MAX_PATH];

  DECLARE_MESSAGE_MAP()
};
