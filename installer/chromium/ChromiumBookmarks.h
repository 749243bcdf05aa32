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
// A changed text keeps every byte of the given one but the checksums'
// values (a missing "checksum" is added first) and the folders that go;
// the new folders are written as the browser writes its file, so that a
// text the browser wrote stays one it could have written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "installer/shared/LeftAloneReport.h"

namespace installer::chromium {

enum class StoreStatus {
  kDone,           // the edit is the result (a change or none)
  kNotJson,        // not a JSON object, or nested deeper than the browser reads
  kMissingRoots,   // "roots" lacks "bookmark_bar" or "other" (or one is no folder)
  kNoFreeId,       // the file's highest id leaves no room for the new ones
  kSystemFailure,  // no digest, random bytes or UTF-8 product path from the system
  kOutOfMemory,    // an allocation failed; nothing was made
};

// The new text: the text given to Install or Remove, which it points into
// and which must outlive it, with a few of its ranges replaced.
class TextEdit {
 public:
  TextEdit() = default;
  explicit TextEdit(std::string_view text) : text_(text) {}

  // Bytes [begin, end) of the text (none, for an insertion) and what
  // takes their place.
  struct Change {
    size_t begin;
    size_t end;
    std::string replacement;
  };

  // Changes may come in any order but must not overlap.
  void Replace(size_t begin, size_t end, std::string replacement);

  const std::vector<Change>& Changes() const { return changes_; }
  // Hands the parts of the new text to `write`, in order; false as soon as
  // `write` is.
  bool ForEachPart(const std::function<bool(std::string_view)>& write) const;
  // The new text whole, for checks on small texts.
  std::string Whole() const;

 private:
  std::string_view text_;
  std::vector<Change> changes_;  // by where they begin
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
  TextEdit edit;         // the new text, or the given one when nothing changed
  int addedFolders = 0;  // 0, 1 or 2
  bool changed = false;

  std::string Text() const { return edit.Whole(); }
};

// productDir as the program holds it: an ANSI Windows path on Windows
// ("C:\Program Files\Quillary\"), a POSIX path elsewhere ("/opt/q/"); a
// final separator is optional.
InstallResult Install(std::string_view text, std::string_view productDir, const NodeSource& source);
// The result points into the text: a text that dies with the call cannot
// be given.
InstallResult Install(std::string&& text, std::string_view productDir,
                      const NodeSource& source) = delete;

// One "Quillary" folder that stays: its root ("bookmark_bar" or "other"),
// its id, and the line of its opening brace in the given text (from 1),
// found for all of them in one sweep over the text.
struct LeftAloneFolder {
  std::string root;
  std::string id;
  size_t line = 0;
  installer::shared::LeftAloneReason reason =
      installer::shared::LeftAloneReason::kHoldsOtherEntries;
};

struct RemovalResult {
  StoreStatus status = StoreStatus::kDone;
  TextEdit edit;
  int removedFolders = 0;
  std::vector<LeftAloneFolder> leftAlone;
  bool changed = false;

  std::string Text() const { return edit.Whole(); }
};

RemovalResult Remove(std::string_view text);
RemovalResult Remove(std::string&& text) = delete;

// Whether a bookmark file is of this store, by its content: its first byte
// after a UTF-8 byte-order mark, blanks and line ends is "{" (an HTML
// bookmark file never starts so).
bool IsChromiumBookmarks(std::string_view text);

}  // namespace installer::chromium
