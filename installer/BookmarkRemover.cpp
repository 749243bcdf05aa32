// Taking the product's folder out of the bookmark file again, for the
// product's uninstall. The new text takes the file's place as the splice's
// does, in one step, so that the file is always the old text or the whole
// new one; a file with nothing to take out is not written at all, and the
// backup beside it is never touched. Each way out notes the run's outcome.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "installer/shared/BookmarkPaths.h"
#include "installer/html/BookmarkRemoverText.h"
#include "installer/html/BookmarkSplicerWrite.h"
#include "installer/shared/BookmarkFiles.h"
#include "installer/InstallerApp.h"

using splicer::ReadOutcome;

namespace {

// At most this many left folders are named in the report, by line.
constexpr size_t kNamedFolders = 4;

// What was left and why, for the user: one line.
std::string LeftAloneReport(const remover::RemovalResult& removal) {
  std::string report;
  size_t count = removal.leftAlone.size();
  if (count == 1) {
    report = "folder \"Quillary\" at line " + std::to_string(removal.leftAlone[0].line) +
             " left in place: it " + remover::ReasonText(removal.leftAlone[0].reason);
  } else {
    report = std::to_string(count) + " folders \"Quillary\" left in place:";
    for (size_t i = 0; i < count && i < kNamedFolders; ++i) {
      report += std::string(i == 0 ? " line " : "; line ") +
                std::to_string(removal.leftAlone[i].line) + " " +
                remover::ReasonText(removal.leftAlone[i].reason);
    }
    if (count > kNamedFolders) {
      report += "; and " + std::to_string(count - kNamedFolders) + " more";
    }
  }
  if (removal.removedFolders > 0) {
    report += " (the other copies were taken out)";
  }
  return report;
}

}  // namespace

void InstallerApp::BookmarkRemover() {
  installer::BookmarkPaths paths;
  if (!installer::SplitBookmarkPath(bookmarkPath, paths)) {
    NoteOutcome(InstallOutcome::kUnusableCommandLine, bookmarkPath,
                "path too long, nothing changed");
    return;
  }
  splicer::RemoveStaleTemporaryFiles(paths.directory);

  splicer::WholeFile current;
  switch (splicer::ReadWholeFile(bookmarkPath, current)) {
    case ReadOutcome::kRead:
      break;
    case ReadOutcome::kMissing:
      NoteOutcome(InstallOutcome::kUnreadable, bookmarkPath, "no such file, nothing changed");
      return;
    case ReadOutcome::kFailed:
      NoteOutcome(InstallOutcome::kUnreadable, bookmarkPath, "cannot be read, nothing changed");
      return;
  }

  remover::RemovalResult removal = remover::RemoveProductFolders(current.Text());
  if (removal.changed) {
    // A bookmark file that may not be written (read-only, say) is left alone.
    if (!splicer::MayRewrite(bookmarkPath)) {
      NoteOutcome(InstallOutcome::kUnwritable, bookmarkPath, "read-only file, nothing changed");
      return;
    }
    std::string_view text = current.Text();
    // Straight from the old text: a large file is never held twice.
    auto writeText = [text, &removal](HANDLE output) {
      return remover::ForEachKeptPart(text, removal, [output](std::string_view part) {
        return WriteBytes(output, part.data(), part.size()) != FALSE;
      });
    };
    if (!splicer::ReplaceBookmarkFile(bookmarkPath, paths.directory, writeText)) {
      NoteOutcome(InstallOutcome::kUnwritable, bookmarkPath,
                  "cannot write the new bookmark file, nothing changed");
      return;
    }
  }
  if (!removal.leftAlone.empty()) {
    NoteOutcome(InstallOutcome::kLeftAlone, bookmarkPath, LeftAloneReport(removal).c_str());
    return;
  }
  NoteOutcome(InstallOutcome::kDone, bookmarkPath, "");
}
