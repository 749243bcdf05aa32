// What a removal left in place and why, told to the user in one line, the
// same for every bookmark format.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "installer/shared/FolderVerdict.h"

namespace installer::shared {

// Why a folder titled as the product's stays.
enum class LeftAloneReason {
  kHoldsOtherEntries,
  kLacksProductLink,
  kNoList,  // a folder of a format with lists whose list cannot be found
};

// What a reason says, for a report: "holds other entries", ...
const char* ReasonText(LeftAloneReason reason);

// The reason for a verdict other than kProductFolder.
LeftAloneReason ReasonFor(installer::shared::FolderVerdict verdict);

// A folder that stays: where it starts (a line, from 1) and why.
struct LeftFolder {
  size_t line;
  LeftAloneReason reason;
};

// "folder "Quillary" at line 12 left in place: it holds other entries",
// naming a few folders when there are more, and saying so when other
// copies were taken out.
std::string LeftAloneReport(const std::vector<LeftFolder>& left, int removedFolders);

}  // namespace installer::shared
