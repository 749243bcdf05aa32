#include "installer/chromium/ProductFolder.h"

#include <string>

namespace chromium_store {

namespace {

bool IsStringMember(const Json& node, const char* name, std::string_view value) {
  auto member = node.find(name);
  return member != node.end() && member->is_string() &&
         member->get_ref<const std::string&>() == value;
}

bool StartsWithFileScheme(std::string_view url) {
  constexpr std::string_view kScheme = "file:";
  if (url.size() < kScheme.size()) {
    return false;
  }
  for (size_t i = 0; i < kScheme.size(); ++i) {
    if ((url[i] | 0x20) != kScheme[i]) {
      return false;
    }
  }
  return true;
}

// Which product link a node is (its index), and the directory part of its
// URL; -1 when it is none.
int ProductLinkIndex(const Json& node, std::string_view* directory) {
  if (!node.is_object() || !IsStringMember(node, "type", "url")) {
    return -1;
  }
  auto url = node.find("url");
  if (url == node.end() || !url->is_string()) {
    return -1;
  }
  std::string_view text = url->get_ref<const std::string&>();
  if (!StartsWithFileScheme(text)) {
    return -1;
  }
  for (size_t i = 0; i < kProductLinkCount; ++i) {
    std::string_view fileName = kProductLinks[i].fileName;
    if (text.size() > fileName.size() && text.substr(text.size() - fileName.size()) == fileName) {
      char separator = text[text.size() - fileName.size() - 1];
      if (separator == '/' || separator == '\\') {
        *directory = text.substr(0, text.size() - fileName.size());
        return static_cast<int>(i);
      }
    }
  }
  return -1;
}

}  // namespace

FolderVerdict JudgeFolder(const Json& node) {
  if (!node.is_object() || !IsStringMember(node, "type", "folder") ||
      !IsStringMember(node, "name", kFolderTitle)) {
    return FolderVerdict::kNotQuillary;
  }
  auto children = node.find("children");
  if (children == node.end() || !children->is_array()) {
    return FolderVerdict::kHoldsOtherEntries;
  }
  int held[kProductLinkCount] = {};
  bool holdsOther = false;
  bool oneDirectory = true;
  std::string_view firstDirectory;
  for (const Json& child : *children) {
    std::string_view directory;
    int index = ProductLinkIndex(child, &directory);
    if (index < 0) {
      holdsOther = true;
      continue;
    }
    if (held[index]++ == 0 && firstDirectory.empty()) {
      firstDirectory = directory;
    }
    oneDirectory = oneDirectory && directory == firstDirectory;
  }
  bool holdsEach = true;
  bool onlyOnce = true;
  for (int count : held) {
    holdsEach = holdsEach && count > 0;
    onlyOnce = onlyOnce && count <= 1;
  }
  if (holdsEach) {
    return !holdsOther && onlyOnce && oneDirectory ? FolderVerdict::kProductFolder
                                                   : FolderVerdict::kHoldsLinksAndMore;
  }
  return holdsOther || !onlyOnce || !oneDirectory ? FolderVerdict::kHoldsOtherEntries
                                                  : FolderVerdict::kLacksProductLink;
}

}  // namespace chromium_store
