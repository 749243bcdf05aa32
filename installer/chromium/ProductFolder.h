// The product's folder as this store holds it: how a node of a scanned
// file is judged by the rule every format shares.
#pragma once

#include <cstdint>
#include <optional>

#include "installer/chromium/StoreScan.h"
#include "installer/shared/FolderVerdict.h"

namespace installer::chromium {

// The verdict on a node that is a folder titled "Quillary" (what it holds:
// its last "children" array; a folder with none holds other entries);
// nothing for any other node.
std::optional<installer::shared::FolderVerdict> JudgeFolder(const StoreScan& scan, uint32_t record);

// Whether a root's children hold a folder that has each product link.
bool HoldsProductFolder(const StoreScan& scan, const RootEntry& root);

}  // namespace installer::chromium
