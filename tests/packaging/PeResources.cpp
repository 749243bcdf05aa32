#include "tests/packaging/PeResources.h"

#include <cstdint>

namespace pe {

namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr int kResourceDirectory = 2;  // index among the data directories
constexpr int kLevels = 3;             // type, name, language
// Directories that point back at each other cannot make the walk endless:
// no real program comes near these counts.
constexpr size_t kMaxResources = 100000;
constexpr size_t kMaxEntries = 1000000;

struct Section {
  uint32_t address;
  uint32_t size;
  uint32_t fileOffset;
  uint32_t fileSize;
};

// Little-endian reads that fail rather than run past the end.
class Bytes {
 public:
  explicit Bytes(const std::string& bytes) : b_(bytes) {}

  bool Has(uint64_t offset, uint64_t size) const {
    return offset <= b_.size() && size <= b_.size() - offset;
  }
  bool U16(uint64_t offset, uint32_t* value) const {
    if (!Has(offset, 2)) return false;
    *value = Byte(offset) | Byte(offset + 1) << 8;
    return true;
  }
  bool U32(uint64_t offset, uint32_t* value) const {
    if (!Has(offset, 4)) return false;
    *value = Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 |
             static_cast<uint32_t>(Byte(offset + 3)) << 24;
    return true;
  }
  std::string Slice(uint64_t offset, uint64_t size) const {
    return b_.substr(static_cast<size_t>(offset), static_cast<size_t>(size));
  }

 private:
  uint32_t Byte(uint64_t offset) const {
    return static_cast<unsigned char>(b_[static_cast<size_t>(offset)]);
  }
  const std::string& b_;
};

class Reader {
 public:
  Reader(const std::string& image, std::vector<Resource>* out, std::string* error)
      : bytes_(image), out_(out), error_(error) {}

  bool Run() {
    uint32_t magic = 0;
    uint32_t peOffset = 0;
    uint32_t signature = 0;
    if (!bytes_.U16(0, &magic) || magic != 0x5A4D || !bytes_.U32(0x3C, &peOffset) ||
        !bytes_.U32(peOffset, &signature) || signature != 0x00004550) {
      return Fail("not a PE image");
    }
    uint64_t coff = uint64_t{peOffset} + 4;
    uint32_t sectionCount = 0;
    uint32_t optionalSize = 0;
    uint32_t optionalMagic = 0;
    if (!bytes_.U16(coff + 2, &sectionCount) || !bytes_.U16(coff + 16, &optionalSize) ||
        !bytes_.U16(coff + 20, &optionalMagic)) {
      return Fail("truncated headers");
    }
    uint64_t optional = coff + 20;
    // PE32+ (64-bit) and PE32 differ in where the data directories start.
    uint64_t directories = 0;
    if (optionalMagic == 0x20B) {
      directories = optional + 112;
    } else if (optionalMagic == 0x10B) {
      directories = optional + 96;
    } else {
      return Fail("unknown optional header");
    }
    uint32_t directoryCount = 0;
    if (!bytes_.U32(directories - 4, &directoryCount)) return Fail("truncated headers");
    uint64_t sectionTable = optional + optionalSize;
    for (uint32_t i = 0; i < sectionCount; ++i) {
      uint64_t at = sectionTable + uint64_t{i} * 40;
      Section section{};
      if (!bytes_.U32(at + 8, &section.size) || !bytes_.U32(at + 12, &section.address) ||
          !bytes_.U32(at + 16, &section.fileSize) || !bytes_.U32(at + 20, &section.fileOffset)) {
        return Fail("truncated section table");
      }
      sections_.push_back(section);
    }
    uint32_t rootAddress = 0;
    uint32_t rootSize = 0;
    if (directoryCount <= kResourceDirectory) return true;
    if (!bytes_.U32(directories + kResourceDirectory * 8, &rootAddress) ||
        !bytes_.U32(directories + kResourceDirectory * 8 + 4, &rootSize)) {
      return Fail("truncated data directories");
    }
    if (rootAddress == 0) return true;
    if (!FileOffset(rootAddress, &root_)) return Fail("resource directory outside the file");
    Resource resource;
    return Walk(0, 0, &resource);
  }

 private:
  bool Fail(const std::string& why) {
    *error_ = why;
    return false;
  }

  bool FileOffset(uint32_t address, uint64_t* offset) const {
    for (const Section& s : sections_) {
      uint32_t extent = s.size > s.fileSize ? s.size : s.fileSize;
      if (address >= s.address && address - s.address < extent) {
        uint32_t into = address - s.address;
        if (into >= s.fileSize) return false;  // not in the file
        *offset = uint64_t{s.fileOffset} + into;
        return true;
      }
    }
    return false;
  }

  bool ReadId(uint32_t field, ResourceId* id) {
    *id = ResourceId{};
    if ((field & kHighBit) == 0) {
      id->number = field & 0xFFFF;
      return true;
    }
    // A counted UTF-16 name.
    uint64_t at = root_ + (field & ~kHighBit);
    uint32_t length = 0;
    if (!bytes_.U16(at, &length) || !bytes_.Has(at + 2, uint64_t{length} * 2)) {
      return Fail("resource name outside the file");
    }
    id->named = true;
    for (uint32_t i = 0; i < length; ++i) {
      uint32_t unit = 0;
      bytes_.U16(at + 2 + i * 2, &unit);
      id->name.push_back(unit >= 0x20 && unit < 0x7F ? static_cast<char>(unit) : '?');
    }
    return true;
  }

  bool Walk(uint32_t directory, int level, Resource* resource) {
    uint64_t at = root_ + directory;
    uint32_t named = 0;
    uint32_t numbered = 0;
    if (!bytes_.U16(at + 12, &named) || !bytes_.U16(at + 14, &numbered)) {
      return Fail("resource directory outside the file");
    }
    for (uint32_t i = 0; i < named + numbered; ++i) {
      if (++entries_ > kMaxEntries) return Fail("too many resource entries");
      uint32_t nameField = 0;
      uint32_t target = 0;
      if (!bytes_.U32(at + 16 + uint64_t{i} * 8, &nameField) ||
          !bytes_.U32(at + 20 + uint64_t{i} * 8, &target)) {
        return Fail("resource entry outside the file");
      }
      bool subdirectory = (target & kHighBit) != 0;
      if (subdirectory != (level < kLevels - 1)) return Fail("resource tree not three levels deep");
      if (level == 0 && !ReadId(nameField, &resource->type)) return false;
      if (level == 1 && !ReadId(nameField, &resource->name)) return false;
      if (level == 2) {
        resource->language = nameField & 0xFFFF;
        if (!Leaf(target, *resource)) return false;
      } else if (!Walk(target & ~kHighBit, level + 1, resource)) {
        return false;
      }
    }
    return true;
  }

  bool Leaf(uint32_t entry, Resource resource) {
    uint32_t address = 0;
    uint32_t size = 0;
    uint64_t offset = 0;
    if (!bytes_.U32(root_ + entry, &address) || !bytes_.U32(root_ + entry + 4, &size)) {
      return Fail("resource entry outside the file");
    }
    if (!FileOffset(address, &offset) || !bytes_.Has(offset, size)) {
      return Fail("resource data outside the file");
    }
    if (out_->size() >= kMaxResources) return Fail("too many resources");
    resource.bytes = bytes_.Slice(offset, size);
    out_->push_back(resource);
    return true;
  }

  Bytes bytes_;
  std::vector<Resource>* out_;
  std::string* error_;
  std::vector<Section> sections_;
  uint64_t root_ = 0;
  size_t entries_ = 0;
};

}  // namespace

bool ReadResources(const std::string& image, std::vector<Resource>* resources, std::string* error) {
  Reader reader(image, resources, error);
  return reader.Run();
}

bool FindProgramManifest(const std::vector<Resource>& resources, std::string* manifest,
                         std::string* error) {
  int count = 0;
  for (const Resource& r : resources) {
    if (r.type.named || r.type.number != kManifestType) continue;
    ++count;
    if (r.name.named || r.name.number != 1) {
      *error = "a manifest resource with another id than 1";
      return false;
    }
    *manifest = r.bytes;
  }
  if (count == 0) {
    *error = "no manifest resource";
    return false;
  }
  if (count > 1) {
    *error = std::to_string(count) + " manifest resources";
    return false;
  }
  return true;
}

}  // namespace pe
