// The splice of the product's folder into the bookmark file. The new text
// goes to a temporary file beside the bookmark file, which takes the
// bookmark file's place only when every byte of it is written; a failure
// at any point before leaves the bookmark file exactly as it was. Each way
// out notes the run's outcome.
#include "installer/BookmarkSplicer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "browser/BrowserInterface.h"
#include "installer/BookmarkSplicerFiles.h"
#include "installer/BookmarkSplicerText.h"
#include "installer/InstallerApp.h"
#include "installer/PathConvention.h"

using splicer::ReadOutcome;
using splicer::WholeFile;

namespace {

constexpr char kInstalledMarker[] = "save.qyv";
constexpr char kBackupName[] = "bkmk";
constexpr char kBackupExt[] = ".qyr";

struct SplicePaths {
  char backup[MAX_PATH];
  char prefs[MAX_PATH];
  // The bookmark file's drive and directory, where the new text is written
  // first: empty, or ending in a separator (or in a drive's colon).
  char directory[MAX_PATH];
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// _makepath into a MAX_PATH buffer; FALSE, leaving it as it was, when the
// path would not fit.
BOOL MakePathBounded(char* path, const char* drive, const char* dir, const char* fname,
                     const char* ext) {
  size_t dirLength = std::strlen(dir);
  size_t length = (drive[0] != '\0' ? 2 : 0) + dirLength + std::strlen(fname) + std::strlen(ext);
  length += dirLength != 0 && !IsSeparator(dir[dirLength - 1]) ? 1 : 0;
  length += ext[0] != '\0' && ext[0] != '.' ? 1 : 0;
  if (length >= MAX_PATH) {
    return FALSE;
  }
  _makepath(path, drive, dir, fname, ext);
  return TRUE;
}

// Repairs a doubled root in bookmarkPath and derives the paths beside it.
BOOL SplitBookmarkPath(char* bookmarkPath, SplicePaths& paths) {
  char drive[MAX_PATH];
  char dir[MAX_PATH];
  char fname[MAX_PATH];
  char ext[MAX_PATH];
  _splitpath(bookmarkPath, drive, dir, fname, ext);
  // A part cut short by the runtime would lead to some other file.
  if (std::strlen(drive) + std::strlen(dir) + std::strlen(fname) + std::strlen(ext) !=
      std::strlen(bookmarkPath)) {
    return FALSE;
  }
  // A root given twice, as in D:\:\Netscape\, loses the directory's first
  // two characters.
  if (std::strstr(dir, "\\:") != nullptr) {
    std::memmove(dir, dir + 2, std::strlen(dir + 2) + 1);
    if (!MakePathBounded(bookmarkPath, drive, dir, fname, ext)) {
      return FALSE;
    }
  }
  int length = std::snprintf(paths.directory, sizeof paths.directory, "%s%s", drive, dir);
  return length >= 0 && static_cast<size_t>(length) < sizeof paths.directory &&
         MakePathBounded(paths.backup, drive, dir, kBackupName, kBackupExt) &&
         MakePathBounded(paths.prefs, drive, dir, browser::kPrefsFileName, browser::kPrefsFileExt);
}

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
  SplicePaths paths;
  if (!SplitBookmarkPath(bookmarkPath, paths)) {
    NoteOutcome(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                "path too long for the files beside it, nothing changed");
    return;
  }
  // Whatever an interrupted run left beside the file goes first, also when
  // this run finds nothing to do.
  splicer::RemoveStaleTemporaryFiles(paths.directory);

  // Made once and never replaced: the first run's copy is the way back.
  BOOL backupMade = CopyFileA(bookmarkPath, paths.backup, TRUE);

  // The bookmark file's own text is spliced whenever it exists, so that an
  // older backup never takes the place of newer bookmarks. Nothing is
  // spliced without a backup beside it.
  WholeFile source;
  ReadOutcome bookmark = splicer::ReadWholeFile(bookmarkPath, source);
  switch (bookmark) {
    case ReadOutcome::kRead:
      if (!backupMade && !splicer::OpensForReading(paths.backup)) {
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
