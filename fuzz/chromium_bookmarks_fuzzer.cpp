// Install and removal of the product's folder on any Chromium-family
// bookmark text (and any product directory, the part after a "--8<--"
// line): a text that is refused is refused alike by both; an install
// writes what parses to the input's tree plus exactly the new folders,
// first in their roots, with ids above the input's and guids of their own,
// and the right checksum; it writes a text that reads back to the same
// bytes, changes nothing a second time, and its removal gives the tree
// back that removal from the input gives (the input's own, when it held no
// product folder).
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "installer/chromium/Checksum.h"
#include "installer/chromium/ChromiumBookmarks.h"
#include "installer/chromium/JsonReader.h"
#include "installer/chromium/JsonWriter.h"
#include "installer/chromium/ProductFolder.h"

using chromium_store::Json;
using chromium_store::StoreStatus;
using fuzz_input::Check;

namespace {

// Repeats run for run, so that a finding replays.
chromium_store::NodeSource CountingSource() {
  return {13441230000000000ULL,
          [counter = uint64_t{0}](unsigned char* buffer, size_t size) mutable {
            for (size_t i = 0; i < size; ++i) {
              if (i % 8 == 0) {
                ++counter;
              }
              buffer[i] =
                  static_cast<unsigned char>((counter * 0x9E3779B97F4A7C15ULL) >> (8 * (i % 8)));
            }
            return true;
          }};
}

Json Parsed(std::string_view text) {
  Json document;
  Check(chromium_store::ParseJson(text, &document), "the output parses");
  return document;
}

// The tree without its checksums, for comparing.
std::string TreeOf(Json document) {
  document.erase("checksum");
  document.erase("checksum_sha256");
  return document.dump();
}

void CollectIdentities(const Json& node, std::set<std::string>* ids, std::set<std::string>* guids) {
  if (!node.is_object()) {
    return;
  }
  auto id = node.find("id");
  if (id != node.end() && id->is_string()) {
    ids->insert(id->get<std::string>());
  }
  auto guid = node.find("guid");
  if (guid != node.end() && guid->is_string()) {
    guids->insert(guid->get<std::string>());
  }
  auto children = node.find("children");
  if (children != node.end() && children->is_array()) {
    for (const Json& child : *children) {
      CollectIdentities(child, ids, guids);
    }
  }
}

void CheckChecksum(const Json& document) {
  std::string md5;
  Check(chromium_store::HexDigest(chromium_store::DigestKind::kMd5,
                                  chromium_store::ChecksumInput(document), &md5),
        "a digest is computed");
  Check(document["checksum"] == md5, "the checksum is the tree's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = fuzz_input::SplitParts(data, size);
  std::string_view text = parts[0];
  std::string productDir = parts.size() > 1 ? std::string(parts[1]) : "/opt/Quillary Pro/";

  chromium_store::InstallResult installed =
      chromium_store::Install(text, productDir, CountingSource());
  chromium_store::RemovalResult removedFromInput = chromium_store::Remove(text);
  if (installed.status == StoreStatus::kNotJson || installed.status == StoreStatus::kMissingRoots) {
    Check(removedFromInput.status == installed.status, "removal refuses what install refuses");
  }
  if (installed.status != StoreStatus::kDone) {
    Check(installed.text.empty() && !installed.changed, "a refusal gives no text");
    return 0;
  }
  Check(removedFromInput.status == StoreStatus::kDone, "removal reads what install reads");
  Check(installed.changed == (installed.addedFolders > 0), "changed says whether folders came");
  if (!installed.changed) {
    Check(installed.text == text, "an unchanged text is handed back");
    return 0;
  }

  Json before = Parsed(text);
  Json after = Parsed(installed.text);
  CheckChecksum(after);
  Check(
      chromium_store::WriteJson(after, chromium_store::LineEndOf(installed.text)) == installed.text,
      "the output reads back to the same bytes");

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
    Check(chromium_store::JudgeFolder(folder) == chromium_store::FolderVerdict::kProductFolder,
          "the new folder is the product's");
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

  chromium_store::InstallResult again =
      chromium_store::Install(installed.text, "/x/", CountingSource());
  Check(again.status == StoreStatus::kDone && !again.changed, "a second install changes nothing");

  chromium_store::RemovalResult removed = chromium_store::Remove(installed.text);
  Check(removed.status == StoreStatus::kDone && removed.changed,
        "the removal takes the folders out");
  Json back = Parsed(removed.text);
  CheckChecksum(back);
  Check(TreeOf(back) == TreeOf(Parsed(removedFromInput.text)),
        "removal of the install gives the tree removal of the input gives");
  return 0;
}
