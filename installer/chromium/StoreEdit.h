// The changes an install or a removal makes to the text, placed where the
// scan found their places: slices of the text stay as they are.
#pragma once

#include <vector>

#include "installer/chromium/Checksum.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/NewFolder.h"
#include "installer/chromium/StoreScan.h"

namespace installer::chromium {

// The folder as the first element of a root's "children", with the
// separator the array already uses between "[" and its first element.
void PutFirst(const StoreScan& scan, const RootEntry& root, const NewFolder& folder,
              TextEdit* edit);

// Takes out the elements of a root's "children" marked as going, each with
// one separator, so that what stays is the array as it was without them.
void TakeOut(const RootEntry& root, const std::vector<bool>& goes, TextEdit* edit);

// Puts the new values in place of every "checksum" and "checksum_sha256";
// without a "checksum", one goes first into the top object, as the browser
// sorts its members.
void PutChecksums(const StoreScan& scan, const Checksums& checksums, TextEdit* edit);

}  // namespace installer::chromium
