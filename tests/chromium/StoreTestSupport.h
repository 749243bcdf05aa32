// What the store's tests share: the browser's files of data/, the tree
// they are checked against (testing/BookmarksTree.h), and checks on a
// written store text.
#pragma once

#include <string>

#include "installer/chromium/ChromiumBookmarks.h"
#include "testing/BookmarksTree.h"

namespace store_test {

using bookmarks_tree::Json;
using bookmarks_tree::kFixedNow;
using bookmarks_tree::Parse;
using bookmarks_tree::RepeatableSource;
using bookmarks_tree::TreeChecksum;

// The bytes of tests/chromium/data/<name>.
std::string DataFile(const std::string& name);

// The product directory on this target whose links are
// file:///C:/Program%20Files/Quillary/...: "C:\Program Files\Quillary\" on
// Windows, "/C:/Program Files/Quillary/" elsewhere, so that one expected
// file serves both.
extern const char* const kDriveCProductDir;

// Ids and guids of every node under "roots" unique, guids lower-case.
bool IdsAndGuidsUnique(const Json& document, std::string* duplicate);

}  // namespace store_test
