#include "installer/chromium/ChromiumFormat.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/shared/FileWrite.h"
#include "installer/shared/LeftAloneReport.h"

namespace chromium_format {

namespace {

using chromium_store::StoreStatus;

// A refusal of the store, as the user is told it; kDone for none.
bookmark_file::FormatEdit Refusal(StoreStatus status) {
  bookmark_file::FormatEdit edit;
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
void WriteEdit(bookmark_file::FormatEdit* edit, chromium_store::TextEdit text) {
  auto held = std::make_shared<chromium_store::TextEdit>(std::move(text));
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
  return named || chromium_store::IsChromiumBookmarks(text);
}

bookmark_file::FormatEdit Install(std::string_view text, const char* productDir) {
  chromium_store::InstallResult result =
      chromium_store::Install(text, productDir, chromium_store::SystemNodeSource());
  bookmark_file::FormatEdit edit = Refusal(result.status);
  if (result.status == StoreStatus::kDone && result.changed) {
    edit.changed = true;
    WriteEdit(&edit, std::move(result.edit));
  }
  return edit;
}

bookmark_file::FormatEdit Remove(std::string_view text) {
  chromium_store::RemovalResult result = chromium_store::Remove(text);
  bookmark_file::FormatEdit edit = Refusal(result.status);
  if (result.status != StoreStatus::kDone) {
    return edit;
  }
  if (result.changed) {
    edit.changed = true;
    WriteEdit(&edit, std::move(result.edit));
  }
  if (!result.leftAlone.empty()) {
    std::vector<installer::LeftFolder> left;
    for (const chromium_store::LeftAloneFolder& folder : result.leftAlone) {
      left.push_back({folder.line, folder.reason});
    }
    edit.outcome = InstallOutcome::kLeftAlone;
    edit.reason = installer::LeftAloneReport(left, result.removedFolders);
  }
  return edit;
}

}  // namespace chromium_format
