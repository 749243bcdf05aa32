// The product's folder as every bookmark format holds it: its title, its
// three links (title and file in the product directory, in this order), and
// what the HTML format adds to them. Each format renders it its own way;
// this is the one place its words and numbers stand.
#pragma once

#include <cstddef>

namespace installer::shared {

constexpr char kFolderTitle[] = "Quillary";

struct ProductLink {
  const char* title;
  const char* fileName;
};
constexpr ProductLink kProductLinks[] = {
    {"Save", "save.qyv"},
    {"QuickSave", "quick.kyv"},
    {"Search", "Quillary.htm"},
};
constexpr size_t kProductLinkCount = sizeof kProductLinks / sizeof kProductLinks[0];

// An HTML bookmark file that holds this text anywhere has the folder already.
constexpr const char* kInstalledMarker = kProductLinks[0].fileName;

// The dates the HTML folder and its links carry (seconds since 1970).
constexpr char kHtmlAddDate[] = "893970870";
constexpr char kHtmlLastVisit[] = "897417476";
constexpr char kHtmlLastModified[] = "895067029";
// The date of the toolbar folder made for the second copy, by which a
// removal knows it again.
constexpr char kHtmlToolbarFolderDate[] = "899410187";
// Each HTML link line, and the made toolbar folder's heading, is formatted
// into a buffer of this many bytes; a longer one is not written, so no
// longer product directory stands in a link the installer wrote.
constexpr size_t kHtmlLineBufferSize = 2048;

}  // namespace installer::shared
