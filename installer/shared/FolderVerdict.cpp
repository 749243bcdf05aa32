#include "installer/shared/FolderVerdict.h"

namespace installer::shared {

namespace {

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

// Two product links' directories name the same one: the scheme in any
// case, "/" and "\" alike, as a browser may write either.
bool SameDirectory(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (i < 5) {
      x = static_cast<char>(x | 0x20);
      y = static_cast<char>(y | 0x20);
    }
    if (x == '\\') x = '/';
    if (y == '\\') y = '/';
    if (x != y) {
      return false;
    }
  }
  return true;
}

}  // namespace

int ProductLinkIndex(std::string_view url, std::string_view* directory) {
  if (!StartsWithFileScheme(url)) {
    return -1;
  }
  for (size_t i = 0; i < kProductLinkCount; ++i) {
    std::string_view fileName = kProductLinks[i].fileName;
    if (url.size() > fileName.size() && url.substr(url.size() - fileName.size()) == fileName) {
      char separator = url[url.size() - fileName.size() - 1];
      if (separator == '/' || separator == '\\') {
        *directory = url.substr(0, url.size() - fileName.size());
        return static_cast<int>(i);
      }
    }
  }
  return -1;
}

void FolderContents::AddLink(std::string_view url) {
  std::string_view directory;
  int index = ProductLinkIndex(url, &directory);
  if (index < 0) {
    holdsOther_ = true;
    return;
  }
  ++held_[index];
  if (!anyLink_) {
    anyLink_ = true;
    firstDirectory_ = directory;
  }
  oneDirectory_ = oneDirectory_ && SameDirectory(directory, firstDirectory_);
}

FolderVerdict FolderContents::Verdict() const {
  bool holdsEach = true;
  bool onlyOnce = true;
  for (int count : held_) {
    holdsEach = holdsEach && count > 0;
    onlyOnce = onlyOnce && count <= 1;
  }
  if (holdsEach) {
    return !holdsOther_ && onlyOnce && oneDirectory_ ? FolderVerdict::kProductFolder
                                                     : FolderVerdict::kHoldsLinksAndMore;
  }
  return holdsOther_ || !onlyOnce || !oneDirectory_ ? FolderVerdict::kHoldsOtherEntries
                                                    : FolderVerdict::kLacksProductLink;
}

}  // namespace installer::shared
