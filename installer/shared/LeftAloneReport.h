// What a removal left in place and why, told to the user in one line, the
// same for every bookmark format.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace installer {

// Why a folder "Quillary" stays, in the words of every format's report.
constexpr char kHoldsOtherEntries[] = "holds other entries";
constexpr char kLacksProductLink[] = "lacks one of the product's links";

// A folder "Quillary" that stays: where it starts (a line, from 1) and why.
struct LeftFolder {
  size_t line;
  const char* reason;  // "holds other entries", ...
};

// "folder "Quillary" at line 12 left in place: it holds other entries",
// naming a few folders when there are more, and saying so when other
// copies were taken out.
std::string LeftAloneReport(const std::vector<LeftFolder>& left, int removedFolders);

}  // namespace installer
