// The product's folder as this store holds it: its title, its three links,
// and how a folder in a file is judged against them.
#pragma once

#include <string_view>

#include "installer/chromium/Json.h"

namespace chromium_store {

constexpr char kFolderTitle[] = "Quillary";

struct ProductLink {
  const char* title;
  const char* fileName;
};

// In the folder's order; the same files and titles as the HTML folder's.
constexpr ProductLink kProductLinks[] = {
    {"Save", "save.qyv"},
    {"QuickSave", "quick.kyv"},
    {"Search", "Quillary.htm"},
};
constexpr size_t kProductLinkCount = sizeof kProductLinks / sizeof kProductLinks[0];

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
