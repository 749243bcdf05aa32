// Foldmint's application object: takes the bookmark file and the product
// directory from the command line, asks for a missing one with a path
// dialog, and splices the product's folder into the bookmark file, all
// inside InitInstance. The dialogs write straight into the two buffers.
// A command line that starts with the removal switch takes the folder out
// again instead.
#pragma once

#include "framework/WinApp.h"
#include "installer/InstallOutcome.h"

class InstallerApp : public CWinApp {
 public:
  InstallerApp();
  ~InstallerApp() override;

  // Always FALSE: the job is done when it returns, no message loop follows.
  // An allocation that fails anywhere in the run ends it as unreadable,
  // nothing changed.
  BOOL InitInstance() override;
  // The run itself: the command line split, a missing path asked for, then
  // the splice or the removal.
  void HandleCommandLine();
  // The exit status: the run's outcome where the platform reports one.
  int ExitInstance() override;

  // Adds the product's folder to the bookmark file named by bookmarkPath,
  // once, keeping a one-time backup beside it.
  void BookmarkSplicer();
  // Takes the product's folders out of the bookmark file named by
  // bookmarkPath again; the backup is never touched.
  void BookmarkRemover();

  // Records how the run ended and tells the user where the platform does.
  void NoteOutcome(InstallOutcome result, const char* file, const char* reason);

  char bookmarkPath[MAX_PATH];
  char productDir[MAX_PATH];
  InstallOutcome outcome = InstallOutcome::kDone;

  DECLARE_MESSAGE_MAP()
};
