// The checksums the browser keeps in its bookmark file: a digest over every
// node of the roots bookmark_bar, other and synced, in that order, depth
// first, a folder before its children. Per node: its id (ASCII), its name
// as UTF-16LE, then "url" and the URL for a URL node, "folder" for any
// other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installer/chromium/NewFolder.h"
#include "installer/chromium/StoreScan.h"

namespace installer::chromium {

// What an edit changes in the scanned tree.
struct TreeEdit {
  // The folder put first into bookmark_bar and into other, or null.
  const NewFolder* barFolder = nullptr;
  const NewFolder* otherFolder = nullptr;
  // Records of the children of those roots that go, in increasing order.
  std::vector<uint32_t> removed;
};

struct Checksums {
  std::string md5;     // lower-case hex
  std::string sha256;  // lower-case hex, when asked for
};

// A text of valid UTF-8 (the reader accepts no other) as the checksum
// takes a name: UTF-16LE.
void AppendUtf16Le(std::string_view utf8, std::string* out);

// The checksums of the edited tree, computed from the scan without a copy
// of the text; false when the system gives no digest.
bool ComputeChecksums(const StoreScan& scan, const TreeEdit& edit, bool withSha256,
                      Checksums* checksums);

}  // namespace installer::chromium
