// Putting the product's folder into the bookmarks bar and "Other bookmarks".
#include <string>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/FileUrl.h"
#include "installer/chromium/NodeIdentities.h"
#include "installer/chromium/ProductFolder.h"
#include "installer/chromium/StoreDocument.h"

namespace chromium_store {

namespace {

bool HasProductFolder(const Json& children) {
  for (const Json& child : children) {
    FolderVerdict verdict = JudgeFolder(child);
    if (verdict == FolderVerdict::kProductFolder || verdict == FolderVerdict::kHoldsLinksAndMore) {
      return true;
    }
  }
  return false;
}

// Members in the order the browser writes them (sorted), the folder's id
// before its links', as the browser numbers what it makes.
StoreStatus NewProductFolder(const std::string* urls, const NodeSource& source,
                             NodeIdentities* identities, Json* folder) {
  const std::string date = std::to_string(source.nowMicroseconds);
  Json links = Json::array();
  std::string folderId;
  std::string folderGuid;
  if (!identities->NextId(&folderId)) {
    return StoreStatus::kNoFreeId;
  }
  if (!identities->NewGuid(source.randomBytes, &folderGuid)) {
    return StoreStatus::kSystemFailure;
  }
  for (size_t i = 0; i < kProductLinkCount; ++i) {
    Json link = Json::object();
    std::string id;
    std::string guid;
    if (!identities->NextId(&id)) {
      return StoreStatus::kNoFreeId;
    }
    if (!identities->NewGuid(source.randomBytes, &guid)) {
      return StoreStatus::kSystemFailure;
    }
    link["date_added"] = date;
    link["date_last_used"] = "0";
    link["guid"] = guid;
    link["id"] = id;
    link["name"] = kProductLinks[i].title;
    link["type"] = "url";
    link["url"] = urls[i];
    links.push_back(std::move(link));
  }
  *folder = Json::object();
  (*folder)["children"] = std::move(links);
  (*folder)["date_added"] = date;
  (*folder)["date_last_used"] = "0";
  (*folder)["date_modified"] = date;
  (*folder)["guid"] = folderGuid;
  (*folder)["id"] = folderId;
  (*folder)["name"] = kFolderTitle;
  (*folder)["type"] = "folder";
  return StoreStatus::kDone;
}

}  // namespace

InstallResult Install(std::string_view text, std::string_view productDir,
                      const NodeSource& source) {
  InstallResult result;
  Json document;
  result.status = ReadDocument(text, &document);
  if (result.status != StoreStatus::kDone) {
    return result;
  }
  NodeIdentities identities(document);
  std::string urls[kProductLinkCount];
  bool urlsMade = false;
  for (const char* root : kProductRoots) {
    Json& children = RootChildren(&document, root);
    if (HasProductFolder(children)) {
      continue;
    }
    if (!urlsMade) {
      for (size_t i = 0; i < kProductLinkCount; ++i) {
        if (!ProductFileUrl(productDir, kProductLinks[i].fileName, &urls[i])) {
          result.status = StoreStatus::kSystemFailure;
          return result;
        }
      }
      urlsMade = true;
    }
    Json folder;
    result.status = NewProductFolder(urls, source, &identities, &folder);
    if (result.status != StoreStatus::kDone) {
      return result;
    }
    children.insert(children.begin(), std::move(folder));
    ++result.addedFolders;
  }
  if (result.addedFolders == 0) {
    result.text.assign(text);
    return result;
  }
  result.status = WriteDocument(&document, text, &result.text);
  result.changed = result.status == StoreStatus::kDone;
  if (!result.changed) {
    result.text.clear();
    result.addedFolders = 0;
  }
  return result;
}

}  // namespace chromium_store
