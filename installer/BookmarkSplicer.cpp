// The splice of the product's folder into the bookmark file. The new text
// goes to a temporary file beside the bookmark file, which takes the
// bookmark file's place only when every byte of it is written; a failure
// at any point before leaves the bookmark file exactly as it was. Each way
// out notes the run's outcome.
#include "installer/html/BookmarkSplicerWrite.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "browser/BrowserInterface.h"
#include "installer/shared/BookmarkPaths.h"
#include "installer/shared/BookmarkFiles.h"
#include "installer/html/BookmarkSplicerText.h"
#include "installer/InstallerApp.h"
#include "installer/shared/PathConvention.h"
#include "installer/shared/ProductFolder.h"

using splicer::ReadOutcome;
using splicer::WholeFile;

namespace {

using product_folder::kInstalledMarker;

BOOL WriteText(HANDLE file, std::string_view text) {
  return WriteBytes(file, text.data(), text.size());
}

BOOL WriteFolderAt(HANDLE file, bool needsLineEnd, const char* productDir) {
  return (!needsLineEnd || WriteString(file, browser::kLineEnd)) &&
         WriteFolderBlock(file, productDir);
}

splicer::ToolbarFolder ReadToolbarFolder(const char* prefsPath) {
  WholeFile prefs;
  if (splicer::ReadWholeFile(prefsPath, prefs) != ReadOutcome::kRead) {
    return splicer::DefaultToolbarFolder();
  }
  // prefs.js is a text that ends at its first NUL, as the browser reads it.
  std::string_view text = prefs.Text();
  return splicer::ToolbarFolderFromPrefs(text.substr(0, text.find('\0')));
}

// The source text with the folder at the top of its first list and again in
// the toolbar folder, or in a new toolbar folder at the end; a text without
// any list gets a new list holding the folder once.
BOOL WriteSplicedText(HANDLE file, std::string_view text, const char* prefsPath,
                      const char* productDir) {
  size_t listAt = text.find(browser::kListOpen);
  if (listAt == std::string_view::npos) {
    return WriteText(file, text) && WriteString(file, browser::kListOpen) &&
           WriteString(file, browser::kLineEnd) && WriteFolderBlock(file, productDir) &&
           WriteString(file, browser::kListClose) && WriteString(file, browser::kLineEnd);
  }
  splicer::ListInsertion head = splicer::InsertionAfterList(text, listAt);
  if (!WriteText(file, text.substr(0, head.position)) ||
      !WriteFolderAt(file, head.needsLineEnd, productDir)) {
    return FALSE;
  }

  splicer::ToolbarFolder toolbar = ReadToolbarFolder(prefsPath);
  size_t nameAt = toolbar.lookForFolder ? text.find(toolbar.name) : std::string_view::npos;
  size_t toolbarListAt = nameAt == std::string_view::npos
                             ? std::string_view::npos
                             : text.find(browser::kListOpen, nameAt + 1);
  if (toolbarListAt == std::string_view::npos) {
    // No list follows the name: the folder is made, as when there is no name.
    return WriteText(file, text.substr(head.position)) &&
           WriteNewToolbarFolder(file, toolbar.name.c_str(), productDir);
  }
  splicer::ListInsertion toolbarList = splicer::InsertionAfterList(text, toolbarListAt);
  size_t at = std::max(toolbarList.position, head.position);
  // Right after the first copy, the second one is already on a line of its own.
  bool needsLineEnd = toolbarList.needsLineEnd && at > head.position;
  return WriteText(file, text.substr(head.position, at - head.position)) &&
         WriteFolderAt(file, needsLineEnd, productDir) && WriteText(file, text.substr(at));
}

}  // namespace

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
  installer::BookmarkPaths paths;
  if (!installer::SplitBookmarkPath(bookmarkPath, paths)) {
    NoteOutcome(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                "path too long for the files beside it, nothing changed");
    return;
  }
  // Whatever an interrupted run left beside the file goes first, also when
  // this run finds nothing to do.
  splicer::RemoveStaleTemporaryFiles(paths.directory);

  // The bookmark file's own text is spliced whenever it exists, so that an
  // older backup never takes the place of newer bookmarks. Nothing is
  // spliced without a backup beside it.
  WholeFile source;
  ReadOutcome bookmark = splicer::ReadWholeFile(bookmarkPath, source);
  switch (bookmark) {
    case ReadOutcome::kRead:
      // Made once from the text read, and never replaced: the first run's
      // copy is the way back.
      if (!splicer::MakeBackupOnce(paths.backup, paths.directory, source.Text())) {
        NoteOutcome(InstallOutcome::kUnwritable, paths.backup,
                    "cannot make the backup, nothing changed");
        return;
      }
      // A bookmark file that may not be written (read-only, say) is left alone.
      if (!splicer::MayRewrite(bookmarkPath)) {
        NoteOutcome(InstallOutcome::kUnwritable, bookmarkPath, "read-only file, nothing changed");
        return;
      }
      break;
    case ReadOutcome::kMissing:
      if (splicer::ReadWholeFile(paths.backup, source) != ReadOutcome::kRead) {
        NoteOutcome(InstallOutcome::kUnreadable, bookmarkPath,
                    "no such file and no backup beside it, nothing changed");
        return;
      }
      break;
    case ReadOutcome::kFailed:
      NoteOutcome(InstallOutcome::kUnreadable, bookmarkPath, "cannot be read, nothing changed");
      return;
  }
  if (source.Text().find(kInstalledMarker) != std::string_view::npos) {
    NoteOutcome(InstallOutcome::kDone, bookmarkPath, "");
    return;
  }

  const char* dir = productDir;
  auto writeText = [&source, &paths, dir](HANDLE output) {
    return WriteSplicedText(output, source.Text(), paths.prefs, dir);
  };
  // A bookmark file found missing is made from the backup, but one that
  // appeared meanwhile (the browser writing it anew) is never replaced.
  if (!splicer::ReplaceBookmarkFile(bookmarkPath, paths.directory, writeText,
                                    bookmark != ReadOutcome::kMissing)) {
    NoteOutcome(InstallOutcome::kUnwritable, bookmarkPath,
                "cannot write the new bookmark file, nothing changed");
    return;
  }
  NoteOutcome(InstallOutcome::kDone, bookmarkPath, "");
}
