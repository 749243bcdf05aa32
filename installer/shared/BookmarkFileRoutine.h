// The one routine that every bookmark format runs through: it reads the
// bookmark file (or, for an install, the backup when the file is missing),
// hands its text to the format the text is written in, keeps the one-time
// backup bkmk.qyr, and puts the format's new text in the file's place
// through a temporary file in one step. So every format, HTML or the
// Chromium family's JSON, gets the same safety: the file is the old text or
// the whole new one, and a run that cannot finish changes nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "installer/InstallOutcome.h"
#include "installer/shared/BookmarkPaths.h"
#include "platform/Win32Api.h"

namespace bookmark_file {

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
using FormatOperation = std::function<FormatEdit(std::string_view text, const installer::BookmarkPaths& paths)>;

enum class Mode { kInstall, kRemove };

struct RunResult {
  InstallOutcome outcome;
  std::string file;    // the file the outcome concerns
  std::string reason;  // for every outcome but kDone
};

// Runs the operation of the format the file's text is written in (decided
// by its content: the Chromium family's JSON, or HTML) on the bookmark file.
// A Chromium-family file is left alone while a browser holds its profile.
RunResult Run(char* bookmarkPath, Mode mode, const FormatOperation& html,
              const FormatOperation& chromium);

}  // namespace bookmark_file
