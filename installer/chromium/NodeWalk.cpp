#include "installer/chromium/NodeWalk.h"

namespace installer::chromium {

void ForEachChild(const StoreScan& scan, uint32_t record,
                  const std::function<void(uint32_t child)>& visit) {
  const NodeRecord& node = scan.nodes[record];
  if (!node.hasChildren) {
    return;
  }
  // A child's subtree ends where its next sibling's record begins.
  for (uint32_t child = node.childrenBegin; child < node.childrenEnd;
       child = scan.nodes[child].subtreeEnd) {
    visit(child);
  }
}

void WalkNodes(const StoreScan& scan, uint32_t record,
               const std::function<bool(uint32_t node)>& visit) {
  // The reader refuses deeper nesting than a recursion here could take.
  if (visit(record)) {
    ForEachChild(scan, record, [&](uint32_t child) { WalkNodes(scan, child, visit); });
  }
}

}  // namespace installer::chromium
