// Taking the product's folder out of the bookmarks bar and "Other bookmarks".
#include <algorithm>
#include <new>

#include "installer/chromium/Checksum.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/ProductFolder.h"
#include "installer/chromium/StoreEdit.h"
#include "installer/chromium/StoreScan.h"

namespace installer::chromium {

namespace {

using installer::shared::FolderVerdict;

constexpr const char* kProductRoots[] = {"bookmark_bar", "other"};

// The lines (from 1) at which the given positions stand, in one sweep over
// the text: CR LF, a lone LF and a lone CR each end a line.
std::vector<size_t> LinesAt(std::string_view text, std::vector<size_t> positions) {
  std::vector<size_t> order(positions.size());
  for (size_t i = 0; i < order.size(); ++i) {
    order[i] = i;
  }
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return positions[a] < positions[b]; });
  std::vector<size_t> lines(positions.size());
  size_t line = 1;
  size_t at = 0;
  for (size_t index : order) {
    for (; at < positions[index]; ++at) {
      if (text[at] == '\n' ||
          (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'))) {
        ++line;
      }
    }
    lines[index] = line;
  }
  return lines;
}

StoreStatus MakeRemoval(std::string_view text, RemovalResult* result) {
  StoreScan scan;
  StoreStatus status = ScanStore(text, &scan);
  if (status != StoreStatus::kDone) {
    return status;
  }
  TreeEdit tree;
  std::vector<size_t> leftAt;
  for (const char* name : kProductRoots) {
    const RootEntry& root = *scan.Root(name);
    const std::vector<RootElement>& elements = root.children.elements;
    std::vector<bool> goes(elements.size(), false);
    bool anyGoes = false;
    for (size_t i = 0; i < elements.size(); ++i) {
      if (elements[i].record == kNoRecord) {
        continue;
      }
      std::optional<FolderVerdict> verdict = JudgeFolder(scan, elements[i].record);
      if (!verdict) {
        continue;
      }
      if (*verdict == FolderVerdict::kProductFolder) {
        goes[i] = anyGoes = true;
        tree.removed.push_back(elements[i].record);
        ++result->removedFolders;
        continue;
      }
      LeftAloneFolder folder;
      folder.root = name;
      folder.id = std::string(scan.Value(scan.nodes[elements[i].record].id));
      folder.reason = installer::shared::ReasonFor(*verdict);
      result->leftAlone.push_back(std::move(folder));
      leftAt.push_back(elements[i].range.begin);
    }
    if (anyGoes) {
      TakeOut(root, goes, &result->edit);
    }
  }
  std::vector<size_t> lines = LinesAt(text, leftAt);
  for (size_t i = 0; i < lines.size(); ++i) {
    result->leftAlone[i].line = lines[i];
  }
  if (result->removedFolders == 0) {
    return StoreStatus::kDone;
  }
  std::sort(tree.removed.begin(), tree.removed.end());
  Checksums checksums;
  if (!ComputeChecksums(scan, tree, !scan.sha256Checksums.empty(), &checksums)) {
    return StoreStatus::kSystemFailure;
  }
  PutChecksums(scan, checksums, &result->edit);
  result->changed = true;
  return StoreStatus::kDone;
}

}  // namespace

RemovalResult Remove(std::string_view text) {
  RemovalResult result;
  result.edit = TextEdit(text);
  try {
    result.status = MakeRemoval(text, &result);
  } catch (const std::bad_alloc&) {
    result.status = StoreStatus::kOutOfMemory;
  }
  if (result.status != StoreStatus::kDone) {
    result.edit = TextEdit();
    result.removedFolders = 0;
    result.leftAlone.clear();
    result.changed = false;
  }
  return result;
}

}  // namespace installer::chromium
