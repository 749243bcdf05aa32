// The one walk over a scanned tree.
#pragma once

#include <cstdint>
#include <functional>

#include "installer/chromium/StoreScan.h"

namespace installer::chromium {

// Calls `visit` for a node's direct children (the nodes of its last
// "children" array), in order.
void ForEachChild(const StoreScan& scan, uint32_t record,
                  const std::function<void(uint32_t child)>& visit);

// Calls `visit` for a node and, depth first, every node below it, a node
// before its children; `visit` returns whether to go into the node's.
void WalkNodes(const StoreScan& scan, uint32_t record,
               const std::function<bool(uint32_t node)>& visit);

}  // namespace installer::chromium
