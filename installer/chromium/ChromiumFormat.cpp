#include "installer/chromium/ChromiumFormat.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/shared/FileWrite.h"
#include "installer/shared/LeftAloneReport.h"

namespace installer::chromium {

namespace {

using installer::chromium::StoreStatus;

// A refusal of the store, as the user is told it; kDone for none.
installer::shared::FormatEdit Refusal(StoreStatus status) {
  installer::shared::FormatEdit edit;
  switch (status) {
    case StoreStatus::kDone:
      break;
    case StoreStatus::kNotJson:
      edit.outcome = InstallOutcome::kUnreadable;
      edit.reason = "not a bookmark file the browser can read (damaged JSON), nothing changed";
      break;
    case StoreStatus::kMissingRoots:
      edit.outcome = InstallOutcome::kUnreadable;
      edit.reason = "its \"roots\" lack \"bookmark_bar\" or \"other\", nothing changed";
      break;
    case StoreStatus::kNoFreeId:
      edit.outcome = InstallOutcome::kUnreadable;
      edit.reason = "no bookmark id is left free for the new folder, nothing changed";
      break;
    case StoreStatus::kOutOfMemory:
      edit.outcome = InstallOutcome::kUnreadable;
      edit.reason = "cannot be read (out of memory), nothing changed";
      break;
    case StoreStatus::kSystemFailure:
      edit.outcome = InstallOutcome::kUnwritable;
      edit.reason =
          "the system gave no digest, random bytes or text of the product "
          "directory for the new file, nothing changed";
      break;
  }
  return edit;
}

// The new text goes out as slices of the old one and the few new parts,
// so that a large file is never held twice.
void WriteEdit(installer::shared::FormatEdit* edit, installer::chromium::TextEdit text) {
  auto held = std::make_shared<installer::chromium::TextEdit>(std::move(text));
  edit->writeNewText = [held](HANDLE output) {
    return held->ForEachPart([output](std::string_view part) { return WriteView(output, part); })
               ? TRUE
               : FALSE;
  };
}

}  // namespace

bool IsOwnFile(std::string_view fileName, std::string_view text) {
  constexpr std::string_view kStoreName = "Bookmarks";
  bool named = fileName.size() == kStoreName.size() &&
               std::equal(fileName.begin(), fileName.end(), kStoreName.begin(), [](char a, char b) {
                 return std::tolower(static_cast<unsigned char>(a)) ==
                        std::tolower(static_cast<unsigned char>(b));
               });
  return named || installer::chromium::IsChromiumBookmarks(text);
}

installer::shared::FormatEdit InstallEdit(std::string_view text, const char* productDir) {
  installer::chromium::InstallResult result =
      installer::chromium::Install(text, productDir, installer::chromium::SystemNodeSource());
  installer::shared::FormatEdit edit = Refusal(result.status);
  if (result.status == StoreStatus::kDone && result.changed) {
    edit.changed = true;
    WriteEdit(&edit, std::move(result.edit));
  }
  return edit;
}

installer::shared::FormatEdit RemoveEdit(std::string_view text) {
  installer::chromium::RemovalResult result = installer::chromium::Remove(text);
  installer::shared::FormatEdit edit = Refusal(result.status);
  if (result.status != StoreStatus::kDone) {
    return edit;
  }
  if (result.changed) {
    edit.changed = true;
    WriteEdit(&edit, std::move(result.edit));
  }
  if (!result.leftAlone.empty()) {
    std::vector<installer::shared::LeftFolder> left;
    for (const installer::chromium::LeftAloneFolder& folder : result.leftAlone) {
      left.push_back({folder.line, folder.reason});
    }
    edit.outcome = InstallOutcome::kLeftAlone;
    edit.reason = installer::shared::LeftAloneReport(left, result.removedFolders);
  }
  return edit;
}

}  // namespace installer::chromium
