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
  const std::vector<installer::shared::Format> formats = {
      {installer::chromium::IsOwnFile, installer::chromium::kNeedsBrowserClosed,
       [](std::string_view text, const installer::shared::BookmarkPaths&) {
         return installer::chromium::RemoveEdit(text);
       }},
      {installer::html::IsOwnFile, installer::html::kNeedsBrowserClosed,
       [](std::string_view text, const installer::shared::BookmarkPaths&) {
         return installer::html::RemoveEdit(text);
       }},
  };
  installer::shared::RunResult result =
      installer::shared::Run(bookmarkPath, installer::shared::Mode::kRemove, formats);
  NoteOutcome(result.outcome, result.file.c_str(), result.reason.c_str());
}
