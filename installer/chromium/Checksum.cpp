#include "installer/chromium/Checksum.h"

#include <algorithm>

#include "installer/chromium/NodeWalk.h"
#include "installer/chromium/SystemServices.h"

namespace installer::chromium {

namespace {

constexpr const char* kChecksummedRoots[] = {"bookmark_bar", "other", "synced"};

// Hands the checksum's input to every digest at once.
class ChecksumInput {
 public:
  ChecksumInput(Digester* md5, Digester* sha256) : md5_(md5), sha256_(sha256) {}

  void Add(std::string_view bytes) {
    md5_->Add(bytes);
    if (sha256_ != nullptr) {
      sha256_->Add(bytes);
    }
  }

  void AddUtf16Le(std::string_view text) {
    utf16_.clear();
    AppendUtf16Le(text, &utf16_);
    Add(utf16_);
  }

  void AddNode(std::string_view id, std::string_view name, bool isUrl, std::string_view url) {
    Add(id);
    AddUtf16Le(name);
    if (isUrl) {
      Add("url");
      Add(url);
    } else {
      Add("folder");
    }
  }

  void AddFolder(const NewFolder& folder) {
    AddNode(folder.folder.id, installer::shared::kFolderTitle, false, "");
    for (size_t i = 0; i < installer::shared::kProductLinkCount; ++i) {
      AddNode(folder.links[i].id, installer::shared::kProductLinks[i].title, true, folder.urls[i]);
    }
  }

 private:
  Digester* md5_;
  Digester* sha256_;
  std::string utf16_;
};

}  // namespace

void AppendUtf16Le(std::string_view utf8, std::string* out) {
  auto unit = [out](unsigned value) {
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>(value >> 8));
  };
  for (size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    unsigned codePoint = length == 1   ? lead
                         : length == 2 ? lead & 0x1F
                         : length == 3 ? lead & 0x0F
                                       : lead & 0x07;
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += length;
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      unit(0xD800 + (codePoint >> 10));
      unit(0xDC00 + (codePoint & 0x3FF));
    } else {
      unit(codePoint);
    }
  }
}

bool ComputeChecksums(const StoreScan& scan, const TreeEdit& edit, bool withSha256,
                      Checksums* checksums) {
  Digester md5(DigestKind::kMd5);
  Digester sha256(DigestKind::kSha256);
  ChecksumInput input(&md5, withSha256 ? &sha256 : nullptr);
  const RootEntry* bar = scan.Root("bookmark_bar");
  const RootEntry* other = scan.Root("other");
  for (const char* name : kChecksummedRoots) {
    const RootEntry* root = scan.Root(name);
    if (root == nullptr) {
      continue;
    }
    WalkNodes(scan, root->record, [&](uint32_t record) {
      if (std::binary_search(edit.removed.begin(), edit.removed.end(), record)) {
        return false;
      }
      const NodeRecord& node = scan.nodes[record];
      bool isUrl = node.type == NodeType::kUrl;
      input.AddNode(scan.Value(node.id), scan.Value(node.name), isUrl, scan.Value(node.url));
      if (isUrl) {
        return false;
      }
      // A new folder comes first among its root's children.
      if (root == bar && record == bar->record && edit.barFolder != nullptr) {
        input.AddFolder(*edit.barFolder);
      } else if (root == other && record == other->record && edit.otherFolder != nullptr) {
        input.AddFolder(*edit.otherFolder);
      }
      return true;
    });
  }
  std::string digest;
  if (!md5.Finish(&digest)) {
    return false;
  }
  checksums->md5 = HexOf(digest);
  if (withSha256) {
    if (!sha256.Finish(&digest)) {
      return false;
    }
    checksums->sha256 = HexOf(digest);
  }
  return true;
}

}  // namespace installer::chromium
