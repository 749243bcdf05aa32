// How every bookmark format knows the product's folder again: which links
// are the product's, and what a folder titled "Quillary" holds. The HTML
// removal and the Chromium-family store judge by this one rule.
#pragma once

#include <cstddef>
#include <string_view>

#include "installer/shared/ProductFolder.h"

namespace installer::shared {

// A product link is a link whose address starts with "file:" (any case)
// and ends in "/" or "\" and then one of the links' file names (in this
// case). Its index in kProductLinks, and its directory (the address up to and
// with that separator); -1 when the address is none.
int ProductLinkIndex(std::string_view url, std::string_view* directory);

enum class FolderVerdict {
  kProductFolder,      // each product link once, under one directory, nothing else
                       // (directories compared with the scheme in any case, "/" as "\")
  kHoldsLinksAndMore,  // each product link, and anything else
  kHoldsOtherEntries,  // lacks a product link, and holds something else
  kLacksProductLink,   // product links only, but not each of them
};

// What a folder titled kFolderTitle holds, entry by entry. The directories it is
// given must outlive it.
class FolderContents {
 public:
  // A link, the product's or another's, by its address.
  void AddLink(std::string_view url);
  // Anything else it holds: a folder, a separator, a line of no meaning.
  void AddOther() { holdsOther_ = true; }

  FolderVerdict Verdict() const;

 private:
  int held_[kProductLinkCount] = {};
  bool holdsOther_ = false;
  bool oneDirectory_ = true;
  bool anyLink_ = false;
  std::string_view firstDirectory_;
};

}  // namespace installer::shared
