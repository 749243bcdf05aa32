#include "installer/shared/LeftAloneReport.h"

namespace installer {

namespace {

// At most this many left folders are named in the report, by line.
constexpr size_t kNamedFolders = 4;

}  // namespace

std::string LeftAloneReport(const std::vector<LeftFolder>& left, int removedFolders) {
  std::string report;
  size_t count = left.size();
  if (count == 1) {
    report = "folder \"Quillary\" at line " + std::to_string(left[0].line) +
             " left in place: it " + left[0].reason;
  } else {
    report = std::to_string(count) + " folders \"Quillary\" left in place:";
    for (size_t i = 0; i < count && i < kNamedFolders; ++i) {
      report += std::string(i == 0 ? " line " : "; line ") + std::to_string(left[i].line) + " " +
                left[i].reason;
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

}  // namespace installer
