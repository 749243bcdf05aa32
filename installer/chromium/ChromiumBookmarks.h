// The Chromium-family bookmark store (the "Bookmarks" JSON file of Chrome,
// Edge, Brave, Vivaldi, Opera, Chromium): the product's folder put in and
// taken out again, text in, text out. Reading and replacing the file is the
// caller's job.
//
// Install puts a folder "Quillary" holding Save, QuickSave and Search (file:
// URLs of save.qyv, quick.kyv and Quillary.htm in the product directory) as
// the first child of roots.bookmark_bar and of roots.other, each with fresh
// ids above the file's highest, fresh version-4 guids and the given time. A
// root that already has a child folder "Quillary" holding the three product
// links (whatever their directory, whatever else it holds) is left alone.
//
// Remove takes out of those two roots each child folder "Quillary" that
// holds exactly the three product links (one each, under one directory) and
// nothing else; a "Quillary" folder holding anything else stays and is
// reported.
//
// A changed text is written as the browser writes it (3-blank indentation,
// members in their order, its escapes and line ends), so that a tree the
// browser wrote comes back byte for byte where it is unchanged; "checksum"
// is recomputed (added when missing) and "checksum_sha256" when present.
// An unchanged text is handed back as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace chromium_store {

enum class StoreStatus {
  kDone,           // the text is the result (changed or not)
  kNotJson,        // not a JSON object, or nested deeper than the browser reads
  kMissingRoots,   // "roots" lacks "bookmark_bar" or "other" (or one is no folder)
  kNoFreeId,       // the file's highest id leaves no room for the new ones
  kSystemFailure,  // no digest, random bytes or UTF-8 product path from the system
};

// Fills a buffer with random bytes; false when it cannot.
using RandomSource = std::function<bool(unsigned char* buffer, size_t size)>;

// What the new nodes are made from; the system's by default.
struct NodeSource {
  uint64_t nowMicroseconds;  // since 1601-01-01 UTC
  RandomSource randomBytes;
};
NodeSource SystemNodeSource();

struct InstallResult {
  StoreStatus status = StoreStatus::kDone;
  std::string text;      // the new text, or the given one when nothing changed
  int addedFolders = 0;  // 0, 1 or 2
  bool changed = false;
};

// productDir as the program holds it: an ANSI Windows path on Windows
// ("C:\Program Files\Quillary\"), a POSIX path elsewhere ("/opt/q/"); a
// final separator is optional.
InstallResult Install(std::string_view text, std::string_view productDir, const NodeSource& source);

enum class LeftAloneReason {
  kHoldsOtherEntries,
  kLacksProductLink,
};

// One "Quillary" folder that stays: its root ("bookmark_bar" or "other"),
// its id, and the line of its opening brace in the given text (from 1).
struct LeftAloneFolder {
  std::string root;
  std::string id;
  size_t line = 0;
  LeftAloneReason reason = LeftAloneReason::kHoldsOtherEntries;
};

struct RemovalResult {
  StoreStatus status = StoreStatus::kDone;
  std::string text;
  int removedFolders = 0;
  std::vector<LeftAloneFolder> leftAlone;
  bool changed = false;
};

RemovalResult Remove(std::string_view text);

// What a reason says, for a report: "holds other entries", ...
const char* ReasonText(LeftAloneReason reason);

// Whether a bookmark file is of this store, by its content: its first byte
// after a UTF-8 byte-order mark, blanks and line ends is "{" (an HTML
// bookmark file never starts so).
bool IsChromiumBookmarks(std::string_view text);

}  // namespace chromium_store
