#include "installer/shared/BookmarkFileRoutine.h"

#include <cstring>

#include "installer/BrowserLock.h"
#include "installer/RealFile.h"
#include "installer/shared/BookmarkFiles.h"

namespace installer::shared {

using installer::shared::ReadOutcome;

namespace {

RunResult Ended(InstallOutcome outcome, const char* file, const char* reason) {
  return RunResult{outcome, file, reason};
}

// The browser's lock is looked for from the real file and, when a link led
// there, from the path as given too: a profile folder may be a link that the
// browser reaches through its own User Data.
bool BrowserRuns(const char* givenPath, const char* realPath) {
  return installer::BrowserHoldsProfile(realPath) ||
         (std::strcmp(givenPath, realPath) != 0 && installer::BrowserHoldsProfile(givenPath));
}

}  // namespace

RunResult Run(char* bookmarkPath, Mode mode, const std::vector<Format>& formats) {
  const bool install = mode == Mode::kInstall;
  if (!installer::shared::RepairBookmarkPath(bookmarkPath)) {
    return Ended(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                 "path too long, nothing changed");
  }
  // Everything below works on the file the path names: a link to it stays
  // a link, and the files beside it are those beside the real file.
  char realPath[MAX_PATH];
  switch (installer::FindRealFile(bookmarkPath, realPath)) {
    case installer::RealFileOutcome::kFound:
      break;
    case installer::RealFileOutcome::kTooLong:
      return Ended(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                   "the file it links to has a path too long (259 characters at most), "
                   "nothing changed");
    case installer::RealFileOutcome::kFailed:
      return Ended(InstallOutcome::kUnreadable, bookmarkPath,
                   "cannot be read (its symbolic links cannot be followed), nothing changed");
  }
  installer::shared::BookmarkPaths paths;
  if (!installer::shared::PathsBeside(realPath, paths)) {
    return Ended(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                 install ? "path too long for the files beside it, nothing changed"
                         : "path too long, nothing changed");
  }
  // Whatever an interrupted run left beside the file goes first, also when
  // this run finds nothing to do.
  installer::shared::RemoveStaleTemporaryFiles(paths.directory);

  // The bookmark file's own text is used whenever it exists, so that an
  // older backup never takes the place of newer bookmarks.
  installer::shared::WholeFile source;
  ReadOutcome read = installer::shared::ReadWholeFile(realPath, source);
  if (read == ReadOutcome::kFailed) {
    return Ended(InstallOutcome::kUnreadable, bookmarkPath, "cannot be read, nothing changed");
  }
  if (read == ReadOutcome::kMissing) {
    if (!install) {
      return Ended(InstallOutcome::kUnreadable, bookmarkPath, "no such file, nothing changed");
    }
    if (installer::shared::ReadWholeFile(paths.backup, source) != ReadOutcome::kRead) {
      return Ended(InstallOutcome::kUnreadable, bookmarkPath,
                   "no such file and no backup beside it, nothing changed");
    }
  }

  const Format* format = nullptr;
  for (const Format& candidate : formats) {
    if (candidate.ownsFile(paths.fileName, source.Text())) {
      format = &candidate;
      break;
    }
  }
  if (format == nullptr) {
    return Ended(InstallOutcome::kUnreadable, bookmarkPath,
                 "not a bookmark file of a known kind, nothing changed");
  }
  // A running browser holds its bookmarks in memory and writes them back
  // over whatever was put into the file meanwhile.
  if (format->needsBrowserClosed && BrowserRuns(bookmarkPath, realPath)) {
    return Ended(InstallOutcome::kBrowserRunning, bookmarkPath,
                 "the browser is running; close it and run again, nothing changed");
  }
  FormatEdit edit = format->edit(source.Text(), paths);
  if (edit.outcome == InstallOutcome::kUnreadable || edit.outcome == InstallOutcome::kUnwritable) {
    return Ended(edit.outcome, bookmarkPath, edit.reason.c_str());
  }

  if (install && read == ReadOutcome::kRead) {
    // Made once from the text read, and never replaced: the first run's
    // copy is the way back. Nothing is changed without it.
    if (!installer::shared::MakeBackupOnce(paths.backup, paths.directory, source.Text())) {
      return Ended(InstallOutcome::kUnwritable, paths.backup,
                   "cannot make the backup, nothing changed");
    }
  }
  // A bookmark file that may not be written (read-only, say) is left alone.
  if (read == ReadOutcome::kRead && (install || edit.changed) &&
      !installer::shared::MayRewrite(realPath)) {
    return Ended(InstallOutcome::kUnwritable, bookmarkPath, "read-only file, nothing changed");
  }
  // The outcome is made before the new text is put in place: nothing may
  // fail once it is (an allocation would be taken for nothing changed).
  RunResult done = Ended(edit.outcome, bookmarkPath, edit.reason.c_str());
  // A bookmark file found missing is made from the backup, but one that
  // appeared meanwhile (the browser writing it anew) is never replaced.
  if (edit.changed &&
      !installer::shared::ReplaceBookmarkFile(realPath, paths.directory, edit.writeNewText,
                                              read != ReadOutcome::kMissing)) {
    return Ended(InstallOutcome::kUnwritable, bookmarkPath,
                 "cannot write the new bookmark file, nothing changed");
  }
  return done;
}

}  // namespace installer::shared
