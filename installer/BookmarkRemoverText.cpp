#include "installer/BookmarkRemoverText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>

#include "browser/BrowserInterface.h"

namespace remover {

namespace {

using std::string_view;
constexpr size_t npos = string_view::npos;

// The folder block as the installer writes it; the directory stands
// between each link's head and tail.
constexpr string_view kBlockHeading =
    "        <DT><H3 FOLDED ADD_DATE=\"893970870\">Quillary</H3>\r\n";
constexpr string_view kBlockListOpen = "        <DL><p>\r\n";
constexpr string_view kBlockLinkHead = "            <DT><A HREF=\"";
constexpr string_view kBlockLinkTails[] = {
    "save.qyv\" ADD_DATE=\"893970870\" LAST_VISIT=\"897417476\" "
    "LAST_MODIFIED=\"895067029\">Save</A>\r\n",
    "quick.kyv\" ADD_DATE=\"893970870\" LAST_VISIT=\"897417476\" "
    "LAST_MODIFIED=\"895067029\">QuickSave</A>\r\n",
    "Quillary.htm\" ADD_DATE=\"893970870\" LAST_VISIT=\"897417476\" "
    "LAST_MODIFIED=\"895067029\">Search</A>\r\n",
};
constexpr string_view kBlockListClose = "        </DL><p>\r\n";
// The installer formats each link line into 2048 bytes, so no longer
// directory can stand in one.
constexpr size_t kMaxLinkDirectory = 2048;
constexpr size_t kMaxBlockLength = 4096 + 3 * kMaxLinkDirectory;

constexpr string_view kMadeToolbarHeadOpen = "<DT><H3 ADD_DATE=\"899410187\">";
constexpr string_view kMadeToolbarHeadClose = "</H3>\r\n<DL><p>\r\n";
constexpr string_view kMadeToolbarDate = "899410187";
constexpr string_view kListOpenLine = "<DL><p>\r\n";
constexpr string_view kListCloseLine = "</DL><p>\r\n";

constexpr string_view kProductTitle = "Quillary";
constexpr string_view kProductFiles[] = {"save.qyv", "quick.kyv", "Quillary.htm"};
constexpr int kProductLinkCount = 3;

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

// Where the folder block that ends at `end` starts, or npos.
size_t ExactBlockEndingAt(string_view text, size_t end) {
  for (size_t at = text.rfind(kBlockHeading, end); at != npos && end - at <= kMaxBlockLength;
       at = at == 0 ? npos : text.rfind(kBlockHeading, at - 1)) {
    if (AtLineStart(text, at) && ExactBlockLength(text, at) == end - at) {
      return at;
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
  size_t head = text.rfind(kMadeToolbarHeadOpen, nameEnd - kMadeToolbarHeadOpen.size());
  if (head == npos) {
    return npos;
  }
  // The name comes from prefs.js, which can give it neither a quote nor a NUL.
  string_view name =
      text.substr(head + kMadeToolbarHeadOpen.size(), nameEnd - head - kMadeToolbarHeadOpen.size());
  if (name.empty() || name.find_first_of(string_view("\"\0", 2)) != npos) {
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
  int8_t productLink = -1;    // link: which product file, or -1
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

// Which product file an address names, or -1.
int8_t ProductLinkOf(string_view href) {
  if (!StartsWithNoCase(href, "file:")) {
    return -1;
  }
  for (int8_t i = 0; i < kProductLinkCount; ++i) {
    string_view file = kProductFiles[i];
    if (href.size() > file.size() && EndsWith(href, file)) {
      char before = href[href.size() - file.size() - 1];
      if (before == '/' || before == '\\') {
        return i;
      }
    }
  }
  return -1;
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
    int8_t productLink = -1;
    bool hrefSeen = false;
    auto after = ReadAttributes(rest.substr(2), [&](string_view name, string_view value) {
      if (EqualsNoCase(name, "href") && !hrefSeen) {
        hrefSeen = true;
        productLink = ProductLinkOf(value);
      }
    });
    if (after && EndsWithNoCase(*after, "</a>")) {
      line.kind = Kind::kLink;
      line.productLink = productLink;
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

std::vector<Line> SplitLines(string_view text) {
  std::vector<Line> lines;
  size_t number = 1;
  for (size_t at = 0; at < text.size();) {
    Line line{at, at, number, Kind::kOther};
    size_t block = ExactBlockLength(text, at);
    if (block != 0) {
      line.kind = Kind::kExactBlock;
      line.end = at + block;
      number += 6;
    } else {
      size_t contentEnd = std::min(text.find_first_of("\r\n", at), text.size());
      line.end = contentEnd;
      if (contentEnd < text.size()) {
        line.end += text.compare(contentEnd, 2, "\r\n") == 0 ? 2 : 1;
      }
      Classify(text.substr(at, contentEnd - at), line, false);
      ++number;
    }
    lines.push_back(line);
    at = line.end;
  }
  return lines;
}

// ---- Judging the folders.

struct Folder {
  size_t header;
  size_t close;  // the closing line of its list
};

class Judge {
 public:
  Judge(string_view text, std::vector<Line> lines)
      : text_(text), lines_(std::move(lines)), removed_(lines_.size(), false) {}

  void Run(RemovalResult& result) {
    std::vector<size_t> closeOf = MatchLists();
    std::vector<Folder> folders;
    for (size_t i = 0; i < lines_.size(); ++i) {
      const Line& line = lines_[i];
      if (line.kind == Kind::kExactBlock) {
        removed_[i] = true;
        ++result.removedFolders;
        continue;
      }
      if (line.kind != Kind::kHeader || !(line.productTitle || line.madeToolbar)) {
        continue;
      }
      size_t list = ListOf(i);
      if (list == npos || closeOf[list] == npos) {
        if (line.productTitle) result.leftAlone.push_back({line.number, LeftAloneReason::kNoList});
        continue;
      }
      folders.push_back({i, closeOf[list]});
    }
    // Innermost first: a folder inside another is the shorter one.
    std::stable_sort(folders.begin(), folders.end(), [](const Folder& a, const Folder& b) {
      return a.close - a.header < b.close - b.header;
    });
    for (const Folder& folder : folders) {
      if (lines_[folder.header].productTitle) {
        JudgeProductFolder(folder, result);
      } else if (HoldsOnlyWhatWent(folder)) {
        Remove(folder);
        ++result.removedToolbarFolders;
      }
    }
    std::sort(result.leftAlone.begin(), result.leftAlone.end(),
              [](const LeftAloneFolder& a, const LeftAloneFolder& b) { return a.line < b.line; });
  }

  // The kept lines, and where each exact block went in that text.
  // The first exact block is the copy at the top, which the installer puts
  // after the text's first "<DL><p>": only there can it have added the line
  // end.
  std::string Kept(std::vector<size_t>& lineEndCandidates) const {
    std::string out;
    out.reserve(text_.size());
    bool firstBlock = true;
    for (size_t i = 0; i < lines_.size(); ++i) {
      const Line& line = lines_[i];
      if (!removed_[i]) {
        out.append(text_.substr(line.start, line.end - line.start));
        continue;
      }
      if (line.kind != Kind::kExactBlock) {
        continue;
      }
      bool afterListOpen = i > 0 && !removed_[i - 1] && line.start >= kListOpenLine.size() &&
                           text_.substr(line.start - kListOpenLine.size(),
                                        kListOpenLine.size()) == kListOpenLine;
      bool afterFirstList =
          out.find(browser::kListOpen) == out.size() - std::min(out.size(), kListOpenLine.size());
      if (afterListOpen && (!firstBlock || afterFirstList)) {
        lineEndCandidates.push_back(out.size());
      }
      firstBlock = false;
    }
    return out;
  }

 private:
  // The closing line matching each opening line (npos: none).
  std::vector<size_t> MatchLists() const {
    std::vector<size_t> closeOf(lines_.size(), npos);
    std::vector<size_t> open;
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].kind == Kind::kListOpen) {
        open.push_back(i);
      } else if (lines_[i].kind == Kind::kListClose && !open.empty()) {
        closeOf[open.back()] = i;
        open.pop_back();
      }
    }
    return closeOf;
  }

  // The list opening of the folder whose header is line `header`: after one
  // description and blank lines. npos when there is none.
  size_t ListOf(size_t header) const {
    size_t i = header + 1;
    if (i < lines_.size() && lines_[i].kind == Kind::kDescription) ++i;
    while (i < lines_.size() && lines_[i].kind == Kind::kBlank) ++i;
    return i < lines_.size() && lines_[i].kind == Kind::kListOpen ? i : npos;
  }

  void JudgeProductFolder(const Folder& folder, RemovalResult& result) {
    bool seen[kProductLinkCount] = {};
    bool other = false;
    bool afterLink = false;
    for (size_t i = ListOf(folder.header) + 1; i < folder.close; ++i) {
      if (removed_[i]) continue;
      const Line& line = Read(i);
      bool link = line.kind == Kind::kLink && line.productLink >= 0 && !seen[line.productLink];
      if (link) {
        seen[line.productLink] = true;
      } else if (line.kind == Kind::kDescription) {
        other = other || !afterLink;
      } else if (line.kind != Kind::kBlank) {
        other = true;
      }
      afterLink = link;
    }
    bool all = std::all_of(std::begin(seen), std::end(seen), [](bool s) { return s; });
    if (other || !all) {
      result.leftAlone.push_back(
          {lines_[folder.header].number,
           other ? LeftAloneReason::kHoldsOtherEntries : LeftAloneReason::kLacksProductLink});
      return;
    }
    Remove(folder);
    ++result.removedFolders;
  }

  // Line i with its link read.
  const Line& Read(size_t i) {
    Line& line = lines_[i];
    if (line.kind == Kind::kUnreadLink) {
      string_view content = text_.substr(line.start, line.end - line.start);
      while (!content.empty() && (content.back() == '\n' || content.back() == '\r')) {
        content.remove_suffix(1);
      }
      Classify(content, line, true);
    }
    return line;
  }

  // A product folder went from its list and only blank lines are left.
  bool HoldsOnlyWhatWent(const Folder& folder) const {
    bool went = false;
    for (size_t i = ListOf(folder.header) + 1; i < folder.close; ++i) {
      if (removed_[i]) {
        went = true;
      } else if (lines_[i].kind != Kind::kBlank) {
        return false;
      }
    }
    return went;
  }

  void Remove(const Folder& folder) {
    std::fill(removed_.begin() + static_cast<std::ptrdiff_t>(folder.header),
              removed_.begin() + static_cast<std::ptrdiff_t>(folder.close) + 1, true);
  }

  string_view text_;
  std::vector<Line> lines_;
  std::vector<bool> removed_;
};

// The installer puts a CR LF between a list's opening and the block when no
// line end followed the opening; with no CR or LF left after the block, it
// was the installer's.
void RemoveAddedLineEnds(std::string& text, const std::vector<size_t>& candidates) {
  size_t lastLineEnd = text.find_last_of("\r\n");
  for (auto at = candidates.rbegin(); at != candidates.rend(); ++at) {
    if (lastLineEnd != npos && lastLineEnd >= *at) {
      continue;
    }
    text.erase(*at - 2, 2);
    lastLineEnd = *at >= 3 ? text.find_last_of("\r\n", *at - 3) : npos;
  }
}

}  // namespace

RemovalResult RemoveProductFolders(string_view text) {
  RemovalResult result;
  // Every folder that can go, the installer's or rewritten, is titled so.
  if (text.find(kProductTitle) == npos) {
    result.text = std::string(text);
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
  Judge judge(body, SplitLines(body));
  judge.Run(result);
  std::vector<size_t> lineEndCandidates;
  result.text = judge.Kept(lineEndCandidates);
  RemoveAddedLineEnds(result.text, lineEndCandidates);
  result.changed = result.text.size() != text.size();
  return result;
}

const char* ReasonText(LeftAloneReason reason) {
  switch (reason) {
    case LeftAloneReason::kHoldsOtherEntries:
      return "holds other entries";
    case LeftAloneReason::kLacksProductLink:
      return "lacks one of the product's links";
    case LeftAloneReason::kNoList:
      return "has no list of its own";
  }
  return "";
}

}  // namespace remover
