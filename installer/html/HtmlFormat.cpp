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

using installer::shared::ReadOutcome;
using installer::shared::WholeFile;

namespace installer::html {

namespace {

BOOL WriteFolderAt(HANDLE file, bool needsLineEnd, const char* productDir) {
  return (!needsLineEnd || WriteString(file, browser::kLineEnd)) &&
         WriteFolderBlock(file, productDir);
}

installer::html::ToolbarFolder ReadToolbarFolder(const char* prefsPath) {
  WholeFile prefs;
  if (installer::shared::ReadWholeFile(prefsPath, prefs) != ReadOutcome::kRead) {
    return installer::html::DefaultToolbarFolder();
  }
  // prefs.js is a text that ends at its first NUL, as the browser reads it.
  std::string_view text = prefs.Text();
  return installer::html::ToolbarFolderFromPrefs(text.substr(0, text.find('\0')));
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
  installer::html::ListInsertion head = installer::html::InsertionAfterList(text, listAt);
  if (!WriteView(file, text.substr(0, head.position)) ||
      !WriteFolderAt(file, head.needsLineEnd, productDir)) {
    return FALSE;
  }

  installer::html::ToolbarFolder toolbar = ReadToolbarFolder(prefsPath);
  size_t nameAt = toolbar.lookForFolder ? text.find(toolbar.name) : std::string_view::npos;
  size_t toolbarListAt = nameAt == std::string_view::npos
                             ? std::string_view::npos
                             : text.find(browser::kListOpen, nameAt + 1);
  if (toolbarListAt == std::string_view::npos) {
    // No list follows the name: the folder is made, as when there is no name.
    return WriteView(file, text.substr(head.position)) &&
           WriteNewToolbarFolder(file, toolbar.name.c_str(), productDir);
  }
  installer::html::ListInsertion toolbarList =
      installer::html::InsertionAfterList(text, toolbarListAt);
  size_t at = std::max(toolbarList.position, head.position);
  // Right after the first copy, the second one is already on a line of its own.
  bool needsLineEnd = toolbarList.needsLineEnd && at > head.position;
  return WriteView(file, text.substr(head.position, at - head.position)) &&
         WriteFolderAt(file, needsLineEnd, productDir) && WriteView(file, text.substr(at));
}

}  // namespace

bool IsOwnFile(std::string_view, std::string_view) { return true; }

installer::shared::FormatEdit InstallEdit(std::string_view text,
                                          const installer::shared::BookmarkPaths& paths,
                                          const char* productDir) {
  installer::shared::FormatEdit edit;
  edit.changed = text.find(installer::shared::kInstalledMarker) == std::string_view::npos;
  // prefs.js is read only when the new text is written, as it always was.
  std::string prefs = paths.prefs;
  std::string dir = productDir;
  edit.writeNewText = [text, prefs, dir](HANDLE output) {
    return WriteSplicedText(output, text, prefs.c_str(), dir.c_str());
  };
  return edit;
}

installer::shared::FormatEdit RemoveEdit(std::string_view text) {
  auto removal =
      std::make_shared<installer::html::RemovalResult>(installer::html::RemoveProductFolders(text));
  installer::shared::FormatEdit edit;
  edit.changed = removal->changed;
  edit.writeNewText = [text, removal](HANDLE output) {
    return installer::html::ForEachKeptPart(text, *removal, [output](std::string_view part) {
      return WriteBytes(output, part.data(), part.size()) != FALSE;
    });
  };
  if (!removal->leftAlone.empty()) {
    std::vector<installer::shared::LeftFolder> left;
    for (const installer::html::LeftAloneFolder& folder : removal->leftAlone) {
      left.push_back({folder.line, folder.reason});
    }
    edit.outcome = InstallOutcome::kLeftAlone;
    edit.reason = installer::shared::LeftAloneReport(left, removal->removedFolders);
  }
  return edit;
}

}  // namespace installer::html
