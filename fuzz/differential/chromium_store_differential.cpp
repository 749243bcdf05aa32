// The one-pass store against the whole-tree store it replaced, on any
// text (and product directory, the part after a "--8<--" line): both
// refuse alike, count alike and report the same folders left in place; on
// a text the browser wrote they give the same bytes, on any other the same
// tree. Built and run by tools/store-differential.sh, which takes the
// whole-tree store from the commit before the change (its namespaces
// renamed *_old); not part of the ordinary build.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/StoreScan.h"
#include "installer_old/chromium/ChromiumBookmarks.h"
#include "testing/BookmarksTree.h"

using fuzz_input::Check;

namespace {

bool WrittenByTheBrowser(std::string_view text) {
  bookmarks_tree::Json document;
  return bookmarks_tree::ParseJson(text, &document) &&
         bookmarks_tree::WriteJson(document, installer::chromium::LineEndOf(text)) == text;
}

std::string TreeOf(std::string_view text) { return bookmarks_tree::Parse(text).dump(); }

void CheckSameText(std::string_view input, const std::string& now, const std::string& before) {
  // QC_DIFF_DUMP=<prefix> writes both texts out, to look at a finding.
  if (const char* dump = std::getenv("QC_DIFF_DUMP")) {
    std::ofstream(std::string(dump) + ".now", std::ios::binary) << now;
    std::ofstream(std::string(dump) + ".before", std::ios::binary) << before;
  }
  if (WrittenByTheBrowser(input)) {
    Check(now == before, "a text the browser wrote comes out as before, byte for byte");
  } else {
    Check(TreeOf(now) == TreeOf(before), "any other text comes out as the same tree");
  }
}

// A seed from the whole input, as the store's fuzz target takes it: the old
// store passed over guids the file held, the new one has no need to, so no
// input may hold the guids of its own install.
uint64_t SeedOf(const uint8_t* data, size_t size) {
  uint64_t hash = 0xCBF29CE484222325ULL;  // FNV-1a
  for (size_t i = 0; i < size; ++i) {
    hash = (hash ^ data[i]) * 0x100000001B3ULL;
  }
  return hash;
}

// Whether a product link may be judged by the rule both formats now share
// but the old store did not: its directories alike but for the scheme's
// case or "\\" for "/". Such a text is compared by its refusals alone.
bool SpellsADirectoryTwoWays(std::string_view text) {
  for (size_t at = 0; (at = text.find(':', at)) != std::string_view::npos; ++at) {
    if (at >= 4 && (text.substr(at - 4, 4) != "file") &&
        ((text[at - 4] | 0x20) == 'f' && (text[at - 3] | 0x20) == 'i' &&
         (text[at - 2] | 0x20) == 'l' && (text[at - 1] | 0x20) == 'e')) {
      return true;
    }
  }
  return text.find("\\\\") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = fuzz_input::SplitParts(data, size);
  std::string_view text = parts[0];
  std::string productDir = parts.size() > 1 ? std::string(parts[1]) : "/opt/Quillary Pro/";

  const uint64_t seed = SeedOf(data, size);
  installer::chromium::InstallResult now =
      installer::chromium::Install(text, productDir, bookmarks_tree::RepeatableSource(seed));
  // The old reader took a NUL byte for the end of the text, and read what
  // stood before it; the browser does not, and neither does the new one.
  if (text.find('\0') != std::string_view::npos) {
    Check(now.status == installer::chromium::StoreStatus::kNotJson, "a NUL byte is no JSON");
    return 0;
  }
  installer::chromium::NodeSource source = bookmarks_tree::RepeatableSource(seed);
  chromium_store_old::InstallResult before =
      chromium_store_old::Install(text, productDir, {source.nowMicroseconds, source.randomBytes});
  Check(static_cast<int>(now.status) == static_cast<int>(before.status), "install refuses alike");
  if (SpellsADirectoryTwoWays(text)) {
    Check(static_cast<int>(installer::chromium::Remove(text).status) ==
              static_cast<int>(chromium_store_old::Remove(text).status),
          "removal refuses alike");
    return 0;
  }
  Check(now.changed == before.changed && now.addedFolders == before.addedFolders,
        "install adds alike");
  if (now.changed) {
    CheckSameText(text, now.Text(), before.text);
  }

  installer::chromium::RemovalResult removedNow = installer::chromium::Remove(text);
  chromium_store_old::RemovalResult removedBefore = chromium_store_old::Remove(text);
  Check(static_cast<int>(removedNow.status) == static_cast<int>(removedBefore.status),
        "removal refuses alike");
  Check(removedNow.changed == removedBefore.changed &&
            removedNow.removedFolders == removedBefore.removedFolders,
        "removal takes out alike");
  Check(removedNow.leftAlone.size() == removedBefore.leftAlone.size(),
        "removal leaves the same folders");
  for (size_t i = 0; i < removedNow.leftAlone.size(); ++i) {
    const auto& a = removedNow.leftAlone[i];
    const auto& b = removedBefore.leftAlone[i];
    Check(a.root == b.root && a.id == b.id &&
              static_cast<int>(a.reason) == static_cast<int>(b.reason),
          "a folder left in place is the same folder, for the same reason");
    // The old walk over the text lost its way at a name written with
    // escapes, and said line 0.
    Check(b.line == 0 || a.line == b.line, "a folder left in place is on the same line");
  }
  if (removedNow.changed) {
    CheckSameText(text, removedNow.Text(), removedBefore.text);
  }
  return 0;
}
