// A Bookmarks file as a whole JSON tree, for tests and fuzz targets to
// check the store against: a second JSON reader (nlohmann's, members kept
// in their order), the browser's pretty printer, its checksum over a tree,
// the one walk over a tree's nodes, and the repeatable random source of
// the store's tests. Test support only: the store never builds a tree.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/shared/FolderVerdict.h"

namespace bookmarks_tree {

using Json = nlohmann::ordered_json;

// False when the text is not exactly one JSON value (strict RFC 8259, valid
// UTF-8) or nests arrays and objects deeper than the browser reads (200).
bool ParseJson(std::string_view text, Json* value);
// The value, or null when the text is none.
Json Parse(std::string_view text);

// The value as the browser's pretty printer writes its bookmark file:
//   - an object: "{", each member on a line of its own, indented 3 blanks
//     per level, as "key": value, members separated by ",", then "}" on a
//     line at the object's own level;
//   - an array: "[ " elements separated by ", " " ]" ("[  ]" when empty),
//     its elements at the array's own level;
//   - strings as the store writes them (QuotedString);
//   - the given line end after every line, the last included.
std::string WriteJson(const Json& value, std::string_view lineEnd);

// Calls `visit` for a node and every node below it (in "children"
// arrays), depth first, a node before its children.
template <typename Visit>
void ForEachNode(const Json& node, Visit visit) {
  if (!node.is_object()) {
    return;
  }
  visit(node);
  auto children = node.find("children");
  if (children != node.end() && children->is_array()) {
    for (const Json& child : *children) {
      ForEachNode(child, visit);
    }
  }
}

// The bytes the browser's checksum runs over, for a document's "roots",
// and its MD5 in hex.
std::string ChecksumInput(const Json& document);
std::string TreeChecksum(const Json& document);

// Whether a node is a folder "Quillary" that the shared rule judges the
// product's own.
bool IsProductFolder(const Json& node);

// A fixed "now" (2026-12-08) and a random source that gives the same bytes
// for the same sequence of calls (splitmix64 from a seed), so that a test
// or a fuzz finding repeats.
constexpr uint64_t kFixedNow = 13441230000000000ULL;
installer::chromium::NodeSource RepeatableSource(uint64_t seed = 1);

}  // namespace bookmarks_tree
