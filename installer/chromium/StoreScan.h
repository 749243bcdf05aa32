// One pass over a Bookmarks text with a SAX reader that tells byte
// positions: whether the browser can read it, and only what an edit needs
// besides. The tree itself is never built.
//
// The browser reads a member given twice as its last value; so does the
// scan, for the members it looks at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "installer/chromium/ChromiumBookmarks.h"

namespace installer::chromium {

// The browser refuses deeper nesting of arrays and objects.
constexpr size_t kMaxNestingDepth = 200;

// A string value: bytes of the text where it stands there unescaped, or of
// the scan's own copies where the text writes it with escapes.
struct TextSlice {
  uint32_t offset = 0;
  uint32_t length = 0;
  bool copied = false;
};

enum class NodeType : uint8_t { kNeither, kUrl, kFolder };

constexpr uint32_t kNoRecord = 0xFFFFFFFF;

// One node of the tree (an object under "roots" or in a node's
// "children"), in tree order: a node's record comes before those of its
// children. A member missing or not a string reads as the empty string.
struct NodeRecord {
  TextSlice id;
  TextSlice name;
  TextSlice url;
  NodeType type = NodeType::kNeither;
  bool hasChildren = false;    // its last "children" is an array
  uint32_t childrenBegin = 0;  // that array's nodes: records [begin, end)
  uint32_t childrenEnd = 0;
  uint32_t otherChildren = 0;  // elements of that array that are no objects
  uint32_t subtreeEnd = 0;     // past the records of everything inside it
};

// Bytes [begin, end) of the text.
struct TextRange {
  size_t begin = 0;
  size_t end = 0;
};

// An element of a product root's "children" array, and its node record
// (kNoRecord for an element that is no object).
struct RootElement {
  TextRange range;
  uint32_t record = kNoRecord;
};

// The "children" array of a root that gets the product's folder.
struct RootChildren {
  size_t open = 0;   // just after "["
  size_t close = 0;  // at "]"
  std::vector<RootElement> elements;
};

// A member of "roots" whose value is an object.
struct RootEntry {
  std::string name;
  uint32_t record = kNoRecord;
  RootChildren children;  // kept for the product roots only
};

struct StoreScan {
  std::string_view text;
  std::vector<NodeRecord> nodes;
  std::string copies;  // string values that the text writes with escapes
  std::vector<RootEntry> roots;
  // Every top-level "checksum" and "checksum_sha256" value, as written.
  std::vector<TextRange> checksums;
  std::vector<TextRange> sha256Checksums;
  size_t topOpen = 0;      // just after the top object's "{"
  size_t firstMember = 0;  // where the top object's first member starts
  std::string_view lineEnd;

  std::string_view Value(TextSlice slice) const;
  // The entry of a root, or null.
  const RootEntry* Root(std::string_view name) const;
};

// kDone, kNotJson (not one JSON object of valid UTF-8, or nested deeper
// than kMaxNestingDepth) or kMissingRoots (no "roots" object with
// "bookmark_bar" and "other" objects holding a "children" array). A
// UTF-8 byte-order mark before the text is passed over. Lets std::bad_alloc
// through.
StoreStatus ScanStore(std::string_view text, StoreScan* scan);

// The line end the text was written with: CR LF when its first line ends
// so, LF when it ends in a lone LF, the target browser's own when it has
// none.
std::string_view LineEndOf(std::string_view text);

}  // namespace installer::chromium
