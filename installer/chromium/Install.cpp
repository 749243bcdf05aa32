// Putting the product's folder into the bookmarks bar and "Other bookmarks".
#include <new>
#include <string>

#include "installer/chromium/Checksum.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/FileUrl.h"
#include "installer/chromium/NewFolder.h"
#include "installer/chromium/NodeIdentities.h"
#include "installer/chromium/ProductFolder.h"
#include "installer/chromium/StoreEdit.h"
#include "installer/chromium/StoreScan.h"

namespace installer::chromium {

namespace {

// Ids and guids in the order the browser gives them to what it makes: the
// folder's, then its links'.
StoreStatus NameNodes(const NodeSource& source, NodeIdentities* identities, NewFolder* folder) {
  NewNode* nodes[] = {&folder->folder, &folder->links[0], &folder->links[1], &folder->links[2]};
  for (NewNode* node : nodes) {
    if (!identities->NextId(&node->id)) {
      return StoreStatus::kNoFreeId;
    }
    if (!identities->NewGuid(source.randomBytes, &node->guid)) {
      return StoreStatus::kSystemFailure;
    }
  }
  return StoreStatus::kDone;
}

StoreStatus MakeInstall(std::string_view text, std::string_view productDir,
                        const NodeSource& source, InstallResult* result) {
  StoreScan scan;
  StoreStatus status = ScanStore(text, &scan);
  if (status != StoreStatus::kDone) {
    return status;
  }
  const RootEntry* bar = scan.Root("bookmark_bar");
  const RootEntry* other = scan.Root("other");
  const bool toBar = !HoldsProductFolder(scan, *bar);
  const bool toOther = !HoldsProductFolder(scan, *other);
  if (!toBar && !toOther) {
    return StoreStatus::kDone;
  }

  NewFolder folder;
  folder.date = std::to_string(source.nowMicroseconds);
  for (size_t i = 0; i < installer::shared::kProductLinkCount; ++i) {
    if (!ProductFileUrl(productDir, installer::shared::kProductLinks[i].fileName,
                        &folder.urls[i])) {
      return StoreStatus::kSystemFailure;
    }
  }
  NodeIdentities identities(scan);
  NewFolder barFolder = folder;
  NewFolder otherFolder = folder;
  TreeEdit tree;
  if (toBar) {
    status = NameNodes(source, &identities, &barFolder);
    tree.barFolder = &barFolder;
  }
  if (status == StoreStatus::kDone && toOther) {
    status = NameNodes(source, &identities, &otherFolder);
    tree.otherFolder = &otherFolder;
  }
  Checksums checksums;
  if (status != StoreStatus::kDone ||
      !ComputeChecksums(scan, tree, !scan.sha256Checksums.empty(), &checksums)) {
    return status != StoreStatus::kDone ? status : StoreStatus::kSystemFailure;
  }

  if (toBar) {
    PutFirst(scan, *bar, barFolder, &result->edit);
  }
  if (toOther) {
    PutFirst(scan, *other, otherFolder, &result->edit);
  }
  PutChecksums(scan, checksums, &result->edit);
  result->addedFolders = (toBar ? 1 : 0) + (toOther ? 1 : 0);
  result->changed = true;
  return StoreStatus::kDone;
}

}  // namespace

InstallResult Install(std::string_view text, std::string_view productDir,
                      const NodeSource& source) {
  InstallResult result;
  result.edit = TextEdit(text);
  try {
    result.status = MakeInstall(text, productDir, source, &result);
  } catch (const std::bad_alloc&) {
    result.status = StoreStatus::kOutOfMemory;
  }
  if (result.status != StoreStatus::kDone) {
    // A refusal hands back no text at all.
    result.edit = TextEdit();
    result.addedFolders = 0;
    result.changed = false;
  }
  return result;
}

}  // namespace installer::chromium
