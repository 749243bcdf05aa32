// Taking the product's folder out of the bookmarks bar and "Other bookmarks".
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/ProductFolder.h"
#include "installer/chromium/StoreDocument.h"
#include "installer/chromium/TextLocation.h"

namespace chromium_store {

RemovalResult Remove(std::string_view text) {
  RemovalResult result;
  Json document;
  result.status = ReadDocument(text, &document);
  if (result.status != StoreStatus::kDone) {
    return result;
  }
  for (const char* root : kProductRoots) {
    Json& children = RootChildren(&document, root);
    size_t indexInText = 0;
    for (auto child = children.begin(); child != children.end(); ++indexInText) {
      FolderVerdict verdict = JudgeFolder(*child);
      if (verdict == FolderVerdict::kProductFolder) {
        child = children.erase(child);
        ++result.removedFolders;
        continue;
      }
      if (verdict != FolderVerdict::kNotQuillary) {
        LeftAloneFolder folder;
        folder.root = root;
        auto id = child->find("id");
        if (id != child->end() && id->is_string()) {
          folder.id = id->get<std::string>();
        }
        folder.line = LineOfRootChild(text, root, indexInText);
        folder.reason = verdict == FolderVerdict::kLacksProductLink
                            ? LeftAloneReason::kLacksProductLink
                            : LeftAloneReason::kHoldsOtherEntries;
        result.leftAlone.push_back(std::move(folder));
      }
      ++child;
    }
  }
  if (result.removedFolders == 0) {
    result.text.assign(text);
    return result;
  }
  result.status = WriteDocument(&document, text, &result.text);
  result.changed = result.status == StoreStatus::kDone;
  if (!result.changed) {
    result.text.clear();
    result.removedFolders = 0;
    result.leftAlone.clear();
  }
  return result;
}

}  // namespace chromium_store
