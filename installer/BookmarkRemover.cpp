// Taking the product's folder out of the bookmark file again, for the
// product's uninstall, in whichever format the file is written. The file
// routine puts the new text in place as for the splice; a file with nothing
// to take out is not written at all, and the backup beside it is never
// touched. Each way out notes the run's outcome.
#include "installer/InstallerApp.h"
#include "installer/chromium/ChromiumFormat.h"
#include "installer/html/HtmlFormat.h"
#include "installer/shared/BookmarkFileRoutine.h"

void InstallerApp::BookmarkRemover() {
  // HTML last: it takes every file the store does not.
  const std::vector<bookmark_file::Format> formats = {
      {chromium_format::IsOwnFile, chromium_format::kNeedsBrowserClosed,
       [](std::string_view text, const installer::BookmarkPaths&) {
         return chromium_format::Remove(text);
       }},
      {html_format::IsOwnFile, html_format::kNeedsBrowserClosed,
       [](std::string_view text, const installer::BookmarkPaths&) {
         return html_format::Remove(text);
       }},
  };
  bookmark_file::RunResult result =
      bookmark_file::Run(bookmarkPath, bookmark_file::Mode::kRemove, formats);
  NoteOutcome(result.outcome, result.file.c_str(), result.reason.c_str());
}
