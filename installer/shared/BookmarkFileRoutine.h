// The one routine that every bookmark format runs through: it reads the
// bookmark file (or, for an install, the backup when the file is missing),
// hands its text to the format that owns the file, keeps the one-time
// backup bkmk.qyr, and puts the format's new text in the file's place
// through a temporary file in one step. So every format, HTML or the
// Chromium family's JSON, gets the same safety: the file is the old text or
// the whole new one, and a run that cannot finish changes nothing. The
// formats are the caller's: this routine knows none of them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/InstallOutcome.h"
#include "installer/shared/BookmarkPaths.h"
#include "platform/Win32Api.h"

namespace installer::shared {

// What a format makes of a bookmark file's text.
struct FormatEdit {
  // kDone, or why the run ends: kUnreadable (a text the format cannot read),
  // kUnwritable (no new text could be made), kLeftAlone (a removal left a
  // folder the user changed; the rest of the edit is still written).
  InstallOutcome outcome = InstallOutcome::kDone;
  std::string reason;  // what the user is told, for every outcome but kDone
  bool changed = false;
  // Writes the whole new text; called only when the text changes.
  std::function<BOOL(HANDLE)> writeNewText;
};

// A format's install or removal: the file's text in, its new text out.
using FormatOperation =
    std::function<FormatEdit(std::string_view text, const installer::shared::BookmarkPaths& paths)>;

// Whether a file is a format's own, by its name (the last component of its
// path) and its text.
using OwnsFile = bool (*)(std::string_view fileName, std::string_view text);

// A bookmark format as the routine runs it: whether a file is its own,
// whether its browser must be closed first, and the edit this run makes.
struct Format {
  OwnsFile ownsFile;
  // The format's browser keeps the bookmarks in memory while it runs and
  // writes them back over the file: nothing is changed while it runs.
  bool needsBrowserClosed;
  FormatOperation edit;
};

enum class Mode { kInstall, kRemove };

struct RunResult {
  InstallOutcome outcome;
  std::string file;    // the file the outcome concerns
  std::string reason;  // for every outcome but kDone
};

// Runs the edit of the first of `formats` that owns the bookmark file (so a
// format that takes every file goes last). The file of a format that needs
// its browser closed is left alone while a browser holds its profile.
// bookmarkPath is repaired in place (a root given twice) and then followed
// through symbolic links (installer/RealFile.h): the file it names is read
// and replaced, and the files beside it are those beside that file; the
// outcome names the path as given. An allocation that fails throws
// std::bad_alloc out of here, and nothing has changed then: the outcome is
// made before the new text is put in place.
RunResult Run(char* bookmarkPath, Mode mode, const std::vector<Format>& formats);

}  // namespace installer::shared
