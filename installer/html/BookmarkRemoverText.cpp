#include "installer/html/BookmarkRemoverText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "browser/BrowserInterface.h"
#include "installer/html/HtmlFolderLines.h"
#include "installer/shared/LeftAloneReport.h"
#include "installer/shared/ProductFolder.h"

namespace installer::html {

namespace {

using std::string_view;
constexpr size_t npos = string_view::npos;

// The folder block as the installer writes it; the directory stands
// between each link's head and tail.
const std::string& kBlockHeading = installer::html::HeadingLine();
constexpr string_view kBlockListOpen = installer::html::kListOpenLine;
constexpr string_view kBlockLinkHead = installer::html::kLinkHead;
const std::string kBlockLinkTails[] = {installer::html::LinkTail(0), installer::html::LinkTail(1),
                                       installer::html::LinkTail(2)};
constexpr string_view kBlockListClose = installer::html::kListCloseLine;
// The installer formats each link line into a buffer of this size, so no
// longer directory can stand in one.
constexpr size_t kMaxLinkDirectory = installer::shared::kHtmlLineBufferSize;
constexpr size_t kMaxBlockLength = 4096 + 3 * kMaxLinkDirectory;

const std::string& kMadeToolbarHeadOpen = installer::html::MadeToolbarHeadOpen();
constexpr string_view kMadeToolbarHeadClose = installer::html::kMadeToolbarHeadClose;
constexpr string_view kMadeToolbarDate = installer::shared::kHtmlToolbarFolderDate;
constexpr string_view kListOpenLine = "<DL><p>\r\n";
constexpr string_view kListCloseLine = "</DL><p>\r\n";

constexpr string_view kProductTitle = installer::shared::kFolderTitle;
constexpr int kProductLinkCount = static_cast<int>(installer::shared::kProductLinkCount);

bool StartsWith(string_view text, string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(string_view text, string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// `lowerPrefix` is given in lower case.
bool StartsWithNoCase(string_view text, string_view lowerPrefix) {
  if (text.size() < lowerPrefix.size()) {
    return false;
  }
  for (size_t i = 0; i < lowerPrefix.size(); ++i) {
    if (Lower(text[i]) != lowerPrefix[i]) {
      return false;
    }
  }
  return true;
}

bool EqualsNoCase(string_view text, string_view lower) {
  return text.size() == lower.size() && StartsWithNoCase(text, lower);
}

bool EndsWithNoCase(string_view text, string_view lowerSuffix) {
  return text.size() >= lowerSuffix.size() &&
         StartsWithNoCase(text.substr(text.size() - lowerSuffix.size()), lowerSuffix);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

string_view SkipBlanks(string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

string_view Trimmed(string_view text) {
  text = SkipBlanks(text);
  size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

// ---- The installer's own output, byte for byte.

bool AtLineStart(string_view text, size_t at) {
  return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
}

// The length of the folder block written at `at`, or 0. The three links
// must carry one and the same "file:" directory.
size_t ExactBlockLength(string_view text, size_t at) {
  string_view rest = text.substr(at);
  size_t linkAt = kBlockHeading.size() + kBlockListOpen.size();
  if (!StartsWith(rest, kBlockHeading) ||
      !StartsWith(rest.substr(kBlockHeading.size()), kBlockListOpen) ||
      !StartsWith(rest.substr(linkAt), kBlockLinkHead)) {
    return 0;
  }
  size_t dirAt = linkAt + kBlockLinkHead.size();
  // Only as far as the longest directory reaches, so that no text makes
  // this search run on through the whole file at every line.
  string_view window = rest.substr(dirAt, kMaxLinkDirectory + kBlockLinkTails[0].size());
  for (size_t tail = window.find(kBlockLinkTails[0]); tail != npos;
       tail = window.find(kBlockLinkTails[0], tail + 1)) {
    string_view dir = window.substr(0, tail);
    if (!StartsWith(dir, "file:")) {
      continue;
    }
    size_t at2 = dirAt + tail + kBlockLinkTails[0].size();
    bool whole = true;
    for (int link = 1; link < kProductLinkCount && whole; ++link) {
      string_view line = rest.substr(at2);
      whole = StartsWith(line, kBlockLinkHead) &&
              StartsWith(line.substr(kBlockLinkHead.size()), dir) &&
              StartsWith(line.substr(kBlockLinkHead.size() + dir.size()), kBlockLinkTails[link]);
      at2 += kBlockLinkHead.size() + dir.size() + kBlockLinkTails[link].size();
    }
    if (whole && StartsWith(rest.substr(at2), kBlockListClose)) {
      return at2 + kBlockListClose.size();
    }
  }
  return 0;
}

// Where the folder block that ends at `end` starts, or npos. Only as far
// back as the longest block reaches, so that a large file is not searched
// backwards whole.
size_t ExactBlockEndingAt(string_view text, size_t end) {
  size_t floor = end > kMaxBlockLength ? end - kMaxBlockLength : 0;
  string_view window = text.substr(floor, end - floor);
  for (size_t at = window.rfind(kBlockHeading); at != npos;
       at = at == 0 ? npos : window.rfind(kBlockHeading, at - 1)) {
    if (AtLineStart(text, floor + at) && ExactBlockLength(text, floor + at) == end - floor - at) {
      return floor + at;
    }
  }
  return npos;
}

// Where the folder the installer made at the end of the text for the
// second copy starts (anywhere on a line), or npos.
size_t MadeToolbarFolderAtEnd(string_view text) {
  if (!EndsWith(text, kListCloseLine)) {
    return npos;
  }
  size_t block = ExactBlockEndingAt(text, text.size() - kListCloseLine.size());
  if (block == npos || block < kMadeToolbarHeadClose.size() + kMadeToolbarHeadOpen.size() ||
      text.substr(block - kMadeToolbarHeadClose.size(), kMadeToolbarHeadClose.size()) !=
          kMadeToolbarHeadClose) {
    return npos;
  }
  size_t nameEnd = block - kMadeToolbarHeadClose.size();
  // The name comes from prefs.js, which can give it neither a quote nor a
  // NUL: the last quote before it closes the header's date. Found so, the
  // header is never looked for backwards through the whole file.
  size_t quote = text.rfind('"', nameEnd - 1);
  if (quote == npos || quote + 2 < kMadeToolbarHeadOpen.size()) {
    return npos;
  }
  size_t head = quote + 2 - kMadeToolbarHeadOpen.size();
  if (head + kMadeToolbarHeadOpen.size() > nameEnd ||
      text.substr(head, kMadeToolbarHeadOpen.size()) != kMadeToolbarHeadOpen) {
    return npos;
  }
  string_view name =
      text.substr(head + kMadeToolbarHeadOpen.size(), nameEnd - head - kMadeToolbarHeadOpen.size());
  if (name.empty() || name.find('\0') != npos) {
    return npos;
  }
  // Only a text with a list gets this folder; one without gets a new list.
  return text.substr(0, head).find(browser::kListOpen) != npos ? head : npos;
}

// Where the list the installer added to a text without any list starts, or npos.
size_t NewListAtEnd(string_view text) {
  if (!EndsWith(text, kListCloseLine)) {
    return npos;
  }
  size_t block = ExactBlockEndingAt(text, text.size() - kListCloseLine.size());
  if (block == npos || block < kListOpenLine.size() ||
      text.substr(block - kListOpenLine.size(), kListOpenLine.size()) != kListOpenLine) {
    return npos;
  }
  size_t list = block - kListOpenLine.size();
  return text.substr(0, list).find(browser::kListOpen) == npos ? list : npos;
}

// ---- Lines, as any browser may have written them.

enum class Kind : uint8_t {
  kBlank,
  kListOpen,
  kListClose,
  kHeader,
  kLink,
  kDescription,
  kOther,
  kExactBlock,  // the installer's six lines, taken as one
  kUnreadLink,  // <DT><A..., read only where a folder is judged
};

struct Line {
  size_t start;
  size_t end;  // past the line end
  size_t number;
  Kind kind;
  bool productTitle = false;  // header titled "Quillary"
  bool madeToolbar = false;   // header with the installer's date
  string_view href = {};      // link: its first HREF value
};

// Calls attribute(name, value) for each attribute of a start tag whose name
// has been read; returns what follows its ">", or nullopt when the tag is
// not well formed.
template <typename Visit>
std::optional<string_view> ReadAttributes(string_view rest, Visit attribute) {
  if (rest.empty() || !(IsBlank(rest[0]) || rest[0] == '>')) {
    return std::nullopt;
  }
  for (;;) {
    rest = SkipBlanks(rest);
    if (rest.empty()) {
      return std::nullopt;
    }
    if (rest[0] == '>') {
      return rest.substr(1);
    }
    size_t nameEnd = rest.find_first_of(" \t=>\"'");
    if (nameEnd == 0 || nameEnd == npos) {
      return std::nullopt;
    }
    string_view name = rest.substr(0, nameEnd);
    rest = SkipBlanks(rest.substr(nameEnd));
    string_view value;
    if (!rest.empty() && rest[0] == '=') {
      rest = SkipBlanks(rest.substr(1));
      if (rest.empty()) {
        return std::nullopt;
      }
      if (rest[0] == '"' || rest[0] == '\'') {
        size_t close = rest.find(rest[0], 1);
        if (close == npos) {
          return std::nullopt;
        }
        value = rest.substr(1, close - 1);
        rest = rest.substr(close + 1);
      } else {
        size_t valueEnd = std::min(rest.find_first_of(" \t>"), rest.size());
        value = rest.substr(0, valueEnd);
        rest = rest.substr(valueEnd);
      }
    }
    attribute(name, value);
  }
}

// <DT><H3 ...>title</H3> or <DT><A ...>title</A>; a link only when asked
// for, as most lines are links and few lie in a folder to judge.
void ReadEntry(string_view content, Line& line, bool readLinks) {
  string_view rest = SkipBlanks(content.substr(4));
  if (StartsWithNoCase(rest, "<h3")) {
    bool madeToolbar = false;
    auto after = ReadAttributes(rest.substr(3), [&](string_view name, string_view value) {
      madeToolbar = madeToolbar || (EqualsNoCase(name, "add_date") && value == kMadeToolbarDate);
    });
    if (after && EndsWithNoCase(*after, "</h3>")) {
      line.kind = Kind::kHeader;
      line.productTitle = after->substr(0, after->size() - 5) == kProductTitle;
      line.madeToolbar = madeToolbar;
    }
  } else if (StartsWithNoCase(rest, "<a") && !readLinks) {
    line.kind = Kind::kUnreadLink;
  } else if (StartsWithNoCase(rest, "<a")) {
    std::optional<string_view> href;
    auto after = ReadAttributes(rest.substr(2), [&](string_view name, string_view value) {
      if (EqualsNoCase(name, "href") && !href) {
        href = value;
      }
    });
    if (after && EndsWithNoCase(*after, "</a>")) {
      line.kind = Kind::kLink;
      line.href = href.value_or(string_view());
    }
  }
}

// <DL> or </DL> (by `tag`), then perhaps <p>, and nothing else.
bool IsListTag(string_view content, string_view tag) {
  if (!StartsWithNoCase(content, tag)) {
    return false;
  }
  string_view rest = SkipBlanks(content.substr(tag.size()));
  return rest.empty() || EqualsNoCase(rest, "<p>");
}

void Classify(string_view content, Line& line, bool readLinks) {
  content = Trimmed(content);
  line.kind = Kind::kOther;
  if (content.empty()) {
    line.kind = Kind::kBlank;
  } else if (IsListTag(content, "<dl>")) {
    line.kind = Kind::kListOpen;
  } else if (IsListTag(content, "</dl>")) {
    line.kind = Kind::kListClose;
  } else if (StartsWithNoCase(content, "<dd>")) {
    line.kind = Kind::kDescription;
  } else if (StartsWithNoCase(content, "<dt>")) {
    ReadEntry(content, line, readLinks);
  }
}

// ---- One pass over the lines.

// What a folder's list holds so far, of the lines that have not gone.
struct Held {
  installer::shared::FolderContents contents;  // blank lines and descriptions aside
  bool afterLink = false;                      // the last line was a link
  bool went = false;                           // something inside has gone
  bool nonBlank = false;                       // a line that stays and is not blank
};

// A list being read: that of a folder to judge (titled "Quillary" or made
// for the second copy), or the text's outside. Lists that no such folder
// owns are only counted: what they hold decides nothing.
struct OpenList {
  size_t headerStart = 0;
  size_t headerLine = 0;
  bool productTitle = false;
  bool madeToolbar = false;
  Held held;
  Held parentBefore;  // the parent's, before the header: what it is again if the folder goes
  size_t plainListsInside = 0;
};

// A header of a folder to judge, waiting for its list: one description
// right after it, then blank lines.
struct WaitingHeader {
  size_t start;
  size_t line;
  bool productTitle;
  bool madeToolbar;
  bool justHeader;
  Held parentBefore;
};

class Scanner {
 public:
  Scanner(string_view text, RemovalResult& result) : text_(text), result_(result), lists_(1) {}

  // Judges each folder as its list closes, so inner folders come first and
  // what went from inside one no longer counts as held.
  void Run() {
    size_t number = 1;
    for (size_t at = 0; at < text_.size();) {
      Line line{at, at, number, Kind::kOther};
      size_t block = ExactBlockLength(text_, at);
      if (block != 0) {
        line.kind = Kind::kExactBlock;
        line.end = at + block;
        number += 6;
      } else {
        size_t contentEnd = LineContentEnd(at);
        line.end = contentEnd;
        if (contentEnd < text_.size()) {
          line.end += text_.compare(contentEnd, 2, "\r\n") == 0 ? 2 : 1;
        }
        Classify(text_.substr(at, contentEnd - at), line, ReadsLinks());
        ++number;
      }
      Take(line);
      at = line.end;
    }
    EndWaiting();
    for (size_t i = 1; i < lists_.size(); ++i) {
      if (lists_[i].productTitle) {
        result_.leftAlone.push_back({lists_[i].headerLine, LeftAloneReason::kNoList});
      }
    }
    std::sort(result_.leftAlone.begin(), result_.leftAlone.end(),
              [](const LeftAloneFolder& a, const LeftAloneFolder& b) { return a.line < b.line; });
  }

  // Where each of the installer's blocks started, in order.
  const std::vector<size_t>& Blocks() const { return blocks_; }

 private:
  // The next CR or LF from `at`; each of the two is looked for with memchr
  // and kept until passed, as lines are most of a large file.
  size_t LineContentEnd(size_t at) {
    return std::min(NextOf('\r', nextCr_, at), NextOf('\n', nextLf_, at));
  }

  size_t NextOf(char c, size_t& next, size_t at) const {
    if (next == npos || next < at) {
      const void* found = std::memchr(text_.data() + at, c, text_.size() - at);
      next = found != nullptr ? static_cast<size_t>(static_cast<const char*>(found) - text_.data())
                              : text_.size();
    }
    return next;
  }

  OpenList& Current() { return lists_.back(); }
  bool Tracked() { return Current().plainListsInside == 0; }
  // Links are read only where a product folder is judged: most lines are links.
  bool ReadsLinks() { return Tracked() && Current().productTitle; }

  void Take(const Line& line) {
    if (waiting_) {
      bool description = line.kind == Kind::kDescription && waiting_->justHeader;
      if (description || line.kind == Kind::kBlank) {
        waiting_->justHeader = false;
        Hold(line);
        return;
      }
      if (line.kind != Kind::kListOpen) EndWaiting();
    }
    switch (line.kind) {
      case Kind::kExactBlock:
        blocks_.push_back(line.start);
        Remove(line.start, line.end);
        ++result_.removedFolders;
        if (Tracked()) Current().held.went = true;
        return;
      case Kind::kListOpen:
        Hold(line);
        if (waiting_) {
          OpenList list;
          list.headerStart = waiting_->start;
          list.headerLine = waiting_->line;
          list.productTitle = waiting_->productTitle;
          list.madeToolbar = waiting_->madeToolbar;
          list.parentBefore = waiting_->parentBefore;
          waiting_.reset();
          lists_.push_back(list);
        } else {
          ++Current().plainListsInside;
        }
        return;
      case Kind::kListClose:
        if (Current().plainListsInside > 0) {
          --Current().plainListsInside;
          Hold(line);
        } else if (lists_.size() > 1) {
          Close(line);
        }
        return;
      case Kind::kHeader:
        if (line.productTitle || line.madeToolbar) {
          waiting_ = WaitingHeader{line.start,       line.number, line.productTitle,
                                   line.madeToolbar, true,        Current().held};
        }
        Hold(line);
        return;
      default:
        Hold(line);
        return;
    }
  }

  // A header whose list did not follow is no folder.
  void EndWaiting() {
    if (waiting_ && waiting_->productTitle) {
      result_.leftAlone.push_back({waiting_->line, LeftAloneReason::kNoList});
    }
    waiting_.reset();
  }

  // The line stays, as far as the list it stands in knows.
  void Hold(const Line& line) {
    if (!Tracked()) {
      return;
    }
    Held& held = Current().held;
    bool link = line.kind == Kind::kLink;
    if (link) {
      held.contents.AddLink(line.href);
    } else if (line.kind == Kind::kDescription) {
      // A description belongs to the link right before it.
      if (!held.afterLink) {
        held.contents.AddOther();
      }
    } else if (line.kind != Kind::kBlank) {
      held.contents.AddOther();
    }
    held.afterLink = link;
    held.nonBlank = held.nonBlank || line.kind != Kind::kBlank;
  }

  void Close(const Line& line) {
    const OpenList list = lists_.back();
    lists_.pop_back();
    bool goes = false;
    if (list.productTitle) {
      installer::shared::FolderVerdict verdict = list.held.contents.Verdict();
      goes = verdict == installer::shared::FolderVerdict::kProductFolder;
      if (goes) {
        ++result_.removedFolders;
      } else {
        result_.leftAlone.push_back({list.headerLine, installer::shared::ReasonFor(verdict)});
      }
    } else if (list.held.went && !list.held.nonBlank) {
      goes = true;
      ++result_.removedToolbarFolders;
    }
    if (!goes) {
      Hold(line);
      return;
    }
    Remove(list.headerStart, line.end);
    if (Tracked()) {
      Current().held = list.parentBefore;
      Current().held.went = true;
    }
  }

  // Every range noted since `begin` lies inside the new one.
  void Remove(size_t begin, size_t end) {
    std::vector<ByteRange>& removed = result_.removed;
    while (!removed.empty() && removed.back().begin >= begin) removed.pop_back();
    removed.push_back({begin, end});
  }

  string_view text_;
  RemovalResult& result_;
  std::vector<OpenList> lists_;  // the text's outside first
  std::optional<WaitingHeader> waiting_;
  std::vector<size_t> blocks_;
  size_t nextCr_ = npos;  // not looked for yet
  size_t nextLf_ = npos;
};

bool IsRemoved(const std::vector<ByteRange>& removed, size_t at) {
  auto after = std::upper_bound(removed.begin(), removed.end(), at,
                                [](size_t value, const ByteRange& r) { return value < r.begin; });
  return after != removed.begin() && at < std::prev(after)->end;
}

// No "<DL><p>" that stays comes before `at`.
bool FirstKeptListOpen(string_view text, const std::vector<ByteRange>& removed, size_t at) {
  for (size_t found = text.find(browser::kListOpen); found < at;
       found = text.find(browser::kListOpen, found + 1)) {
    if (!IsRemoved(removed, found)) {
      return false;
    }
  }
  return true;
}

// The last CR or LF that stays before `before`, or npos.
size_t LastKeptLineEnd(string_view text, const std::vector<ByteRange>& removed, size_t before) {
  auto range = std::upper_bound(removed.begin(), removed.end(), before,
                                [](size_t value, const ByteRange& r) { return value < r.begin; });
  size_t at = before;
  while (at > 0) {
    // Step back over a removed range that `at - 1` lies in.
    if (range != removed.begin() && at - 1 < std::prev(range)->end) {
      --range;
      at = range->begin;
      continue;
    }
    size_t floor = range != removed.begin() ? std::prev(range)->end : 0;
    size_t found = text.substr(floor, at - floor).find_last_of("\r\n");
    if (found != npos) {
      return floor + found;
    }
    at = floor;
  }
  return npos;
}

// The installer puts a CR LF between a list's opening and the block when no
// line end followed the opening; with no CR or LF left after the block, it
// was the installer's. The first block is the copy at the top, which the
// installer puts after the text's first "<DL><p>": only there can it have
// added the line end.
void RemoveAddedLineEnds(string_view text, const std::vector<size_t>& blocks,
                         RemovalResult& result) {
  std::vector<ByteRange>& removed = result.removed;
  std::vector<size_t> candidates;
  for (size_t i = 0; i < blocks.size(); ++i) {
    size_t block = blocks[i];
    bool afterListOpen =
        block >= kListOpenLine.size() && !IsRemoved(removed, block - 1) &&
        text.substr(block - kListOpenLine.size(), kListOpenLine.size()) == kListOpenLine;
    if (afterListOpen &&
        (i > 0 || FirstKeptListOpen(text, removed, block - kListOpenLine.size()))) {
      candidates.push_back(block);
    }
  }
  if (candidates.empty()) {
    return;
  }
  size_t lastLineEnd = LastKeptLineEnd(text, removed, text.size());
  for (auto at = candidates.rbegin(); at != candidates.rend(); ++at) {
    if (lastLineEnd != npos && lastLineEnd >= *at) {
      continue;
    }
    ByteRange lineEnd = {*at - 2, *at};
    auto place = std::upper_bound(removed.begin(), removed.end(), lineEnd.begin,
                                  [](size_t value, const ByteRange& r) { return value < r.begin; });
    removed.insert(place, lineEnd);
    lastLineEnd = LastKeptLineEnd(text, removed, lineEnd.begin);
  }
}

}  // namespace

RemovalResult RemoveProductFolders(string_view text) {
  RemovalResult result;
  // Every folder that can go, the installer's or rewritten, is titled so.
  if (text.find(kProductTitle) == npos) {
    return result;
  }
  size_t end = MadeToolbarFolderAtEnd(text);
  if (end != npos) {
    ++result.removedFolders;
    ++result.removedToolbarFolders;
  } else {
    end = NewListAtEnd(text);
    if (end != npos) ++result.removedFolders;
  }
  string_view body = text.substr(0, end);
  Scanner scanner(body, result);
  scanner.Run();
  RemoveAddedLineEnds(body, scanner.Blocks(), result);
  if (end != npos) {
    result.removed.push_back({end, text.size()});
  }
  result.changed = !result.removed.empty();
  return result;
}

bool ForEachKeptPart(string_view text, const RemovalResult& removal,
                     const std::function<bool(string_view)>& write) {
  size_t at = 0;
  for (const ByteRange& range : removal.removed) {
    if (range.begin > at && !write(text.substr(at, range.begin - at))) {
      return false;
    }
    at = range.end;
  }
  return at >= text.size() || write(text.substr(at));
}

std::string KeptText(string_view text, const RemovalResult& removal) {
  std::string kept;
  ForEachKeptPart(text, removal, [&kept](string_view part) {
    kept.append(part);
    return true;
  });
  return kept;
}

}  // namespace installer::html
