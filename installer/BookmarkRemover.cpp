// Placeholder until the removal lands: a removal changes nothing.
#include "installer/InstallerApp.h"

void InstallerApp::BookmarkRemover() { NoteOutcome(InstallOutcome::kDone, bookmarkPath, ""); }
