#include "installer/InstallerApp.h"

#include <cstring>
#include <new>

#include "installer/CommandLine.h"
#include "installer/ProgramConventions.h"
#include "installer/dialogs/BookmarkPathDialog.h"
#include "installer/dialogs/ProductPathDialog.h"

BEGIN_MESSAGE_MAP(InstallerApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

InstallerApp::InstallerApp() : CWinApp(nullptr), bookmarkPath{}, productDir{} {}

InstallerApp::~InstallerApp() = default;

BOOL InstallerApp::InitInstance() {
  outcome = InstallOutcome::kDone;
  // Every allocation of a run, the formats' own included, ends here when it
  // fails: the file routine changes nothing before it puts a whole new text
  // in place, so nothing has changed then.
  try {
    HandleCommandLine();
  } catch (const std::bad_alloc&) {
    NoteOutcome(InstallOutcome::kUnreadable,
                bookmarkPath[0] != '\0' ? bookmarkPath : "bookmark file",
                "cannot be read (out of memory), nothing changed");
  }
  return FALSE;
}

void InstallerApp::HandleCommandLine() {
  const char* line = m_lpCmdLine != nullptr ? m_lpCmdLine : "";
  if (installer::AnswerInformationRequest(line)) {
    return;
  }
  installer::InstallerRequest request =
      installer::SplitCommandLine(line, bookmarkPath, productDir, installer::FirstArgument());
  if (!request.usable) {
    NoteOutcome(InstallOutcome::kUnusableCommandLine, line, request.problem);
    return;
  }

  // A missing part is asked for; a cancelled dialog, or one that left its
  // buffer empty, ends the run before any file is touched.
  if (bookmarkPath[0] == '\0') {
    BookmarkPathDialog dialog(nullptr);
    if (dialog.DoModal() == IDCANCEL) {
      NoteOutcome(InstallOutcome::kCancelled, "bookmark file", "prompt cancelled, nothing changed");
      return;
    }
    if (bookmarkPath[0] == '\0') {
      NoteOutcome(InstallOutcome::kUnusableCommandLine, "bookmark file",
                  "no path given, nothing changed");
      return;
    }
  }
  if (request.removal) {
    BookmarkRemover();
    return;
  }
  if (productDir[0] == '\0') {
    ProductPathDialog dialog(nullptr);
    if (dialog.DoModal() == IDCANCEL) {
      NoteOutcome(InstallOutcome::kCancelled, bookmarkPath,
                  "product directory prompt cancelled, nothing changed");
      return;
    }
    if (productDir[0] == '\0') {
      NoteOutcome(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                  "empty product directory, nothing changed");
      return;
    }
  }
  BookmarkSplicer();
}

int InstallerApp::ExitInstance() { return installer::ExitStatusFor(outcome); }

void InstallerApp::NoteOutcome(InstallOutcome result, const char* file, const char* reason) {
  outcome = result;
  installer::ReportOutcome(result, file, reason);
}

InstallerApp theApp;
