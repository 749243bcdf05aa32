// The product's folder as this store holds it: its title, its three links,
// and how a folder in a file is judged against them.
#pragma once

#include <string_view>

#include "installer/chromium/Json.h"
#include "installer/shared/ProductFolder.h"

namespace chromium_store {

constexpr const char* kFolderTitle = product_folder::kTitle;
using ProductLink = product_folder::Link;
constexpr const ProductLink* kProductLinks = product_folder::kLinks;
constexpr size_t kProductLinkCount = product_folder::kLinkCount;

enum class FolderVerdict {
  kNotQuillary,        // not a folder titled "Quillary"
  kProductFolder,      // exactly the three product links, one each, one directory
  kHoldsLinksAndMore,  // each product link, and anything else
  kHoldsOtherEntries,  // lacks a product link, and holds something else
  kLacksProductLink,   // product links only, but not each of them
};

// A product link is a URL node whose URL starts with "file:" (any case) and
// ends in "/" or "\" and then one of the file names (in this case).
FolderVerdict JudgeFolder(const Json& node);

}  // namespace chromium_store
