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
  if (dirLength == 0 || productDir[dirLength - 1] != installer::kDirSeparator) {
    if (dirLength + 1 >= sizeof productDir) {
      NoteOutcome(InstallOutcome::kUnusableCommandLine, productDir,
                  "product directory too long, nothing changed");
      return;
    }
    productDir[dirLength] = installer::kDirSeparator;
    productDir[dirLength + 1] = '\0';
  }
  const char* dir = productDir;
  // HTML last: it takes every file the store does not.
  const std::vector<bookmark_file::Format> formats = {
      {chromium_format::IsOwnFile, chromium_format::kNeedsBrowserClosed,
       [dir](std::string_view text, const installer::BookmarkPaths&) {
         return chromium_format::Install(text, dir);
       }},
      {html_format::IsOwnFile, html_format::kNeedsBrowserClosed,
       [dir](std::string_view text, const installer::BookmarkPaths& paths) {
         return html_format::Install(text, paths, dir);
       }},
  };
  bookmark_file::RunResult result =
      bookmark_file::Run(bookmarkPath, bookmark_file::Mode::kInstall, formats);
  NoteOutcome(result.outcome, result.file.c_str(), result.reason.c_str());
}
