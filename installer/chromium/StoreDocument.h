// A bookmark file of the store as a JSON document: read and checked for the
// roots the product's folder goes into, and written back with its checksums.
#pragma once

#include <string>
#include <string_view>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/Json.h"

namespace chromium_store {

// The roots that get the product's folder: the bookmarks bar and "Other
// bookmarks", the counterparts of the HTML file's toolbar folder and top.
constexpr const char* kProductRoots[] = {"bookmark_bar", "other"};

// kDone, kNotJson or kMissingRoots (a product root that is no object with a
// "children" array counts as missing).
StoreStatus ReadDocument(std::string_view text, Json* document);

// The "children" of a product root of a document ReadDocument accepted.
Json& RootChildren(Json* document, const char* root);

// The document with its checksums recomputed, written with the line end of
// the text it was read from; kDone or kSystemFailure.
StoreStatus WriteDocument(Json* document, std::string_view readFrom, std::string* text);

}  // namespace chromium_store
