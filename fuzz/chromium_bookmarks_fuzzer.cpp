// Install and removal of the product's folder on any Chromium-family
// bookmark text (and any product directory, the part after a "--8<--"
// line), checked against a second JSON reader's whole tree:
// - the store reads as JSON exactly what that reader reads, and install
//   and removal refuse alike;
// - an install's output parses to the input's tree plus exactly the new
//   folders, first in their roots, with ids above the input's and guids
//   of their own, and the right checksums; a removal's to the input's
//   tree without the product folders, with the right checksums;
// - every byte of the input stays but the checksums' values and what a
//   removal takes out: the edits are insertions, checksum values and
//   whole elements;
// - a text the browser wrote comes out as the browser writes it;
// - a second install changes nothing, and the removal of the install
//   gives the tree that removal of the input gives.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/StoreScan.h"
#include "installer/chromium/SystemServices.h"
#include "testing/BookmarksTree.h"

using bookmarks_tree::Json;
using fuzz_input::Check;
using installer::chromium::StoreStatus;

namespace {

Json Parsed(std::string_view text) {
  Json document;
  Check(bookmarks_tree::ParseJson(text, &document), "the output parses");
  return document;
}

// The tree without its checksums, for comparing.
std::string TreeOf(Json document) {
  document.erase("checksum");
  document.erase("checksum_sha256");
  return document.dump();
}

void CheckChecksums(const Json& document, bool sha256) {
  std::string input = bookmarks_tree::ChecksumInput(document);
  std::string md5;
  Check(installer::chromium::Digest(installer::chromium::DigestKind::kMd5, input, &md5),
        "an MD5 is made");
  Check(document["checksum"] == installer::chromium::HexOf(md5), "the checksum is the tree's");
  if (sha256) {
    std::string digest;
    Check(installer::chromium::Digest(installer::chromium::DigestKind::kSha256, input, &digest),
          "a SHA-256 is made");
    Check(document["checksum_sha256"] == installer::chromium::HexOf(digest),
          "the SHA-256 checksum is the tree's");
  }
}

void CollectIdentities(const Json& root, std::set<std::string>* ids, std::set<std::string>* guids) {
  bookmarks_tree::ForEachNode(root, [&](const Json& node) {
    auto id = node.find("id");
    if (id != node.end() && id->is_string()) {
      ids->insert(id->get<std::string>());
    }
    auto guid = node.find("guid");
    if (guid != node.end() && guid->is_string()) {
      guids->insert(guid->get<std::string>());
    }
  });
}

bool WrittenByTheBrowser(std::string_view text, const Json& document) {
  return bookmarks_tree::WriteJson(document, installer::chromium::LineEndOf(text)) == text;
}

// An edit changes nothing but what it may: `insertions` allows new text
// anywhere, `deletions` whole ranges taken out; checksum values may
// always be replaced.
void CheckEdits(std::string_view text, const installer::chromium::TextEdit& edit, bool insertions,
                bool deletions) {
  for (const installer::chromium::TextEdit::Change& change : edit.Changes()) {
    std::string_view old = text.substr(change.begin, change.end - change.begin);
    bool checksumValue = !old.empty() && !change.replacement.empty() &&
                         change.replacement.front() == '"' && change.replacement.back() == '"';
    bool inserted = old.empty() && !change.replacement.empty();
    bool deleted = !old.empty() && change.replacement.empty();
    Check(checksumValue || (insertions && inserted) || (deletions && deleted),
          "only the edit's own bytes change");
  }
}

// A seed from the whole input, so that a finding replays while no input can
// hold the guids its own install will make (a real source has 122 random
// bits a guid; this one must not be one an input can read off).
uint64_t SeedOf(const uint8_t* data, size_t size) {
  uint64_t hash = 0xCBF29CE484222325ULL;  // FNV-1a
  for (size_t i = 0; i < size; ++i) {
    hash = (hash ^ data[i]) * 0x100000001B3ULL;
  }
  return hash;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = fuzz_input::SplitParts(data, size);
  std::string_view text = parts[0];
  std::string productDir = parts.size() > 1 ? std::string(parts[1]) : "/opt/Quillary Pro/";

  const uint64_t seed = SeedOf(data, size);
  installer::chromium::InstallResult installed =
      installer::chromium::Install(text, productDir, bookmarks_tree::RepeatableSource(seed));
  installer::chromium::RemovalResult removedFromInput = installer::chromium::Remove(text);
  Json before;
  bool readable = bookmarks_tree::ParseJson(text, &before);
  Check((readable && before.is_object()) == (installed.status != StoreStatus::kNotJson),
        "the store reads as a JSON object what the tree reader reads as one");
  if (installed.status == StoreStatus::kNotJson || installed.status == StoreStatus::kMissingRoots) {
    Check(removedFromInput.status == installed.status, "removal refuses what install refuses");
  }
  if (installed.status != StoreStatus::kDone) {
    Check(installed.Text().empty() && !installed.changed, "a refusal gives no text");
    return 0;
  }
  Check(removedFromInput.status == StoreStatus::kDone, "removal reads what install reads");
  Check(installed.changed == (installed.addedFolders > 0), "changed says whether folders came");
  const std::string installedText = installed.Text();
  if (!installed.changed) {
    Check(installedText == text, "an unchanged text is handed back");
    return 0;
  }

  CheckEdits(text, installed.edit, true, false);
  const bool sha256 = before.contains("checksum_sha256");
  Json after = Parsed(installedText);
  CheckChecksums(after, sha256);
  if (WrittenByTheBrowser(text, before)) {
    Check(WrittenByTheBrowser(installedText, after), "the browser's layout stays");
  }

  std::set<std::string> oldIds;
  std::set<std::string> oldGuids;
  for (const Json& root : before["roots"]) {
    CollectIdentities(root, &oldIds, &oldGuids);
  }
  std::set<std::string> newIds;
  std::set<std::string> newGuids;
  int added = 0;
  for (const char* root : {"bookmark_bar", "other"}) {
    Json& children = after["roots"][root]["children"];
    const Json& old = before["roots"][root]["children"];
    if (children.size() == old.size()) {
      continue;
    }
    Check(children.size() == old.size() + 1, "one folder at most per root");
    ++added;
    Json folder = children[0];
    Check(bookmarks_tree::IsProductFolder(folder), "the new folder is the product's");
    size_t idsBefore = newIds.size();
    CollectIdentities(folder, &newIds, &newGuids);
    Check(newIds.size() == idsBefore + 4 && newGuids.size() == newIds.size(),
          "the new nodes' ids and guids differ from each other");
    children.erase(0);
  }
  Check(added == installed.addedFolders, "the count is the folders added");
  for (const std::string& id : newIds) {
    Check(oldIds.count(id) == 0, "new ids are not the input's");
  }
  for (const std::string& guid : newGuids) {
    Check(oldGuids.count(guid) == 0, "new guids are not the input's");
  }
  Check(TreeOf(after) == TreeOf(before), "the output is the input plus the new folders");

  installer::chromium::InstallResult again = installer::chromium::Install(
      installedText, "/x/", bookmarks_tree::RepeatableSource(seed + 1));
  Check(again.status == StoreStatus::kDone && !again.changed, "a second install changes nothing");

  installer::chromium::RemovalResult removed = installer::chromium::Remove(installedText);
  Check(removed.status == StoreStatus::kDone && removed.changed,
        "the removal takes the folders out");
  CheckEdits(installedText, removed.edit, false, true);
  Json back = Parsed(removed.Text());
  CheckChecksums(back, sha256);
  Json removedInput = removedFromInput.changed ? Parsed(removedFromInput.Text()) : before;
  Check(TreeOf(back) == TreeOf(removedInput),
        "removal of the install gives the tree removal of the input gives");
  return 0;
}
