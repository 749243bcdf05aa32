#include "installer/shared/LeftAloneReport.h"

#include "installer/shared/ProductFolder.h"

namespace installer::shared {

namespace {

// At most this many left folders are named in the report, by line.
constexpr size_t kNamedFolders = 4;

}  // namespace

const char* ReasonText(LeftAloneReason reason) {
  switch (reason) {
    case LeftAloneReason::kHoldsOtherEntries:
      return "holds other entries";
    case LeftAloneReason::kLacksProductLink:
      return "lacks one of the product's links";
    case LeftAloneReason::kNoList:
      return "has no list of its own";
  }
  return "";
}

LeftAloneReason ReasonFor(installer::shared::FolderVerdict verdict) {
  return verdict == installer::shared::FolderVerdict::kLacksProductLink
             ? LeftAloneReason::kLacksProductLink
             : LeftAloneReason::kHoldsOtherEntries;
}

std::string LeftAloneReport(const std::vector<LeftFolder>& left, int removedFolders) {
  const std::string title = std::string("\"") + installer::shared::kFolderTitle + "\"";
  std::string report;
  size_t count = left.size();
  if (count == 1) {
    report = "folder " + title + " at line " + std::to_string(left[0].line) +
             " left in place: it " + ReasonText(left[0].reason);
  } else {
    report = std::to_string(count) + " folders " + title + " left in place:";
    for (size_t i = 0; i < count && i < kNamedFolders; ++i) {
      report += std::string(i == 0 ? " line " : "; line ") + std::to_string(left[i].line) + " " +
                ReasonText(left[i].reason);
    }
    if (count > kNamedFolders) {
      report += "; and " + std::to_string(count - kNamedFolders) + " more";
    }
  }
  if (removedFolders > 0) {
    report += " (the other copies were taken out)";
  }
  return report;
}

}  // namespace installer::shared
