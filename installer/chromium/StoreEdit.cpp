#include "installer/chromium/StoreEdit.h"

namespace installer::chromium {

namespace {

// The blanks that indent the line holding a position.
size_t LineIndent(std::string_view text, size_t at) {
  size_t lineBreak = text.find_last_of("\r\n", at);
  size_t start = lineBreak == std::string_view::npos ? 0 : lineBreak + 1;
  size_t blanks = 0;
  while (start + blanks < text.size() && text[start + blanks] == ' ') {
    ++blanks;
  }
  return blanks;
}

std::string Quoted(const std::string& hex) { return '"' + hex + '"'; }

}  // namespace

void PutFirst(const StoreScan& scan, const RootEntry& root, const NewFolder& folder,
              TextEdit* edit) {
  const RootChildren& children = root.children;
  std::string text = FolderText(folder, LineIndent(scan.text, children.open - 1), scan.lineEnd);
  if (children.elements.empty()) {
    // "[  ]", as the browser writes an empty array, becomes "[ {...} ]".
    size_t at = children.open + (children.close > children.open ? 1 : 0);
    edit->Replace(at, at, std::move(text));
    return;
  }
  size_t first = children.elements.front().range.begin;
  text += ',';
  text.append(scan.text.substr(children.open, first - children.open));
  edit->Replace(first, first, std::move(text));
}

void TakeOut(const RootEntry& root, const std::vector<bool>& goes, TextEdit* edit) {
  const std::vector<RootElement>& elements = root.children.elements;
  size_t kept = 0;
  for (bool going : goes) {
    kept += going ? 0 : 1;
  }
  if (kept == 0) {
    if (!elements.empty()) {
      edit->Replace(elements.front().range.begin, elements.back().range.end, "");
    }
    return;
  }
  bool keptBefore = false;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (!goes[i]) {
      keptBefore = true;
    } else if (keptBefore) {
      // From the end of the element before: its separator goes with it.
      edit->Replace(elements[i - 1].range.end, elements[i].range.end, "");
    } else {
      // Up to the next element: the separator after it goes with it.
      edit->Replace(elements[i].range.begin, elements[i + 1].range.begin, "");
    }
  }
}

void PutChecksums(const StoreScan& scan, const Checksums& checksums, TextEdit* edit) {
  for (const TextRange& range : scan.checksums) {
    edit->Replace(range.begin, range.end, Quoted(checksums.md5));
  }
  for (const TextRange& range : scan.sha256Checksums) {
    edit->Replace(range.begin, range.end, Quoted(checksums.sha256));
  }
  if (scan.checksums.empty()) {
    std::string member = "\"checksum\": " + Quoted(checksums.md5) + ",";
    member.append(scan.text.substr(scan.topOpen, scan.firstMember - scan.topOpen));
    edit->Replace(scan.firstMember, scan.firstMember, std::move(member));
  }
}

}  // namespace installer::chromium
