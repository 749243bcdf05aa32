// The splice of the product's folder into the bookmark file, in whichever
// format the file is written: the file routine reads it, keeps the backup
// and puts the new text in place; each way out notes the run's outcome.
#include <cstring>

#include "installer/InstallerApp.h"
#include "installer/chromium/ChromiumFormat.h"
#include "installer/html/HtmlFormat.h"
#include "installer/shared/BookmarkFileRoutine.h"
#include "installer/shared/PathConvention.h"

void InstallerApp::BookmarkSplicer() {
  size_t dirLength = std::strlen(productDir);
  if (dirLength == 0 || productDir[dirLength - 1] != installer::shared::kDirSeparator) {
    if (dirLength + 1 >= sizeof productDir) {
      NoteOutcome(InstallOutcome::kUnusableCommandLine, productDir,
                  "product directory too long, nothing changed");
      return;
    }
    productDir[dirLength] = installer::shared::kDirSeparator;
    productDir[dirLength + 1] = '\0';
  }
  const char* dir = productDir;
  // HTML last: it takes every file the store does not.
  const std::vector<installer::shared::Format> formats = {
      {installer::chromium::IsOwnFile, installer::chromium::kNeedsBrowserClosed,
       [dir](std::string_view text, const installer::shared::BookmarkPaths&) {
         return installer::chromium::InstallEdit(text, dir);
       }},
      {installer::html::IsOwnFile, installer::html::kNeedsBrowserClosed,
       [dir](std::string_view text, const installer::shared::BookmarkPaths& paths) {
         return installer::html::InstallEdit(text, paths, dir);
       }},
  };
  installer::shared::RunResult result =
      installer::shared::Run(bookmarkPath, installer::shared::Mode::kInstall, formats);
  NoteOutcome(result.outcome, result.file.c_str(), result.reason.c_str());
}
