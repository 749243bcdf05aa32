#include "installer/html/HtmlFormat.h"

#include <algorithm>
#include <memory>

#include "browser/BrowserInterface.h"
#include "installer/html/BookmarkRemoverText.h"
#include "installer/html/BookmarkSplicerText.h"
#include "installer/html/BookmarkSplicerWrite.h"
#include "installer/shared/BookmarkFiles.h"
#include "installer/shared/FileWrite.h"
#include "installer/shared/LeftAloneReport.h"
#include "installer/shared/ProductFolder.h"

using splicer::ReadOutcome;
using splicer::WholeFile;

namespace html_format {

namespace {

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
    return WriteView(file, text) && WriteString(file, browser::kListOpen) &&
           WriteString(file, browser::kLineEnd) && WriteFolderBlock(file, productDir) &&
           WriteString(file, browser::kListClose) && WriteString(file, browser::kLineEnd);
  }
  splicer::ListInsertion head = splicer::InsertionAfterList(text, listAt);
  if (!WriteView(file, text.substr(0, head.position)) ||
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
    return WriteView(file, text.substr(head.position)) &&
           WriteNewToolbarFolder(file, toolbar.name.c_str(), productDir);
  }
  splicer::ListInsertion toolbarList = splicer::InsertionAfterList(text, toolbarListAt);
  size_t at = std::max(toolbarList.position, head.position);
  // Right after the first copy, the second one is already on a line of its own.
  bool needsLineEnd = toolbarList.needsLineEnd && at > head.position;
  return WriteView(file, text.substr(head.position, at - head.position)) &&
         WriteFolderAt(file, needsLineEnd, productDir) && WriteView(file, text.substr(at));
}

}  // namespace

bool IsOwnFile(std::string_view, std::string_view) { return true; }

bookmark_file::FormatEdit Install(std::string_view text, const installer::BookmarkPaths& paths,
                                  const char* productDir) {
  bookmark_file::FormatEdit edit;
  edit.changed = text.find(product_folder::kInstalledMarker) == std::string_view::npos;
  // prefs.js is read only when the new text is written, as it always was.
  std::string prefs = paths.prefs;
  std::string dir = productDir;
  edit.writeNewText = [text, prefs, dir](HANDLE output) {
    return WriteSplicedText(output, text, prefs.c_str(), dir.c_str());
  };
  return edit;
}

bookmark_file::FormatEdit Remove(std::string_view text) {
  auto removal = std::make_shared<remover::RemovalResult>(remover::RemoveProductFolders(text));
  bookmark_file::FormatEdit edit;
  edit.changed = removal->changed;
  edit.writeNewText = [text, removal](HANDLE output) {
    return remover::ForEachKeptPart(text, *removal, [output](std::string_view part) {
      return WriteBytes(output, part.data(), part.size()) != FALSE;
    });
  };
  if (!removal->leftAlone.empty()) {
    std::vector<installer::LeftFolder> left;
    for (const remover::LeftAloneFolder& folder : removal->leftAlone) {
      left.push_back({folder.line, folder.reason});
    }
    edit.outcome = InstallOutcome::kLeftAlone;
    edit.reason = installer::LeftAloneReport(left, removal->removedFolders);
  }
  return edit;
}

}  // namespace html_format
