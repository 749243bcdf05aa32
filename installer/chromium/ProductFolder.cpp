#include "installer/chromium/ProductFolder.h"

#include "installer/chromium/NodeWalk.h"

namespace installer::chromium {

using installer::shared::FolderVerdict;

std::optional<FolderVerdict> JudgeFolder(const StoreScan& scan, uint32_t record) {
  const NodeRecord& node = scan.nodes[record];
  if (node.type != NodeType::kFolder || scan.Value(node.name) != installer::shared::kFolderTitle) {
    return std::nullopt;
  }
  if (!node.hasChildren) {
    return FolderVerdict::kHoldsOtherEntries;
  }
  installer::shared::FolderContents contents;
  if (node.otherChildren > 0) {
    contents.AddOther();
  }
  ForEachChild(scan, record, [&](uint32_t child) {
    const NodeRecord& entry = scan.nodes[child];
    if (entry.type == NodeType::kUrl) {
      contents.AddLink(scan.Value(entry.url));
    } else {
      contents.AddOther();
    }
  });
  return contents.Verdict();
}

bool HoldsProductFolder(const StoreScan& scan, const RootEntry& root) {
  bool holds = false;
  ForEachChild(scan, root.record, [&](uint32_t child) {
    std::optional<FolderVerdict> verdict = JudgeFolder(scan, child);
    holds = holds || verdict == FolderVerdict::kProductFolder ||
            verdict == FolderVerdict::kHoldsLinksAndMore;
  });
  return holds;
}

}  // namespace installer::chromium
