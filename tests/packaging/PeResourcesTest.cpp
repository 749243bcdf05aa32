#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/packaging/PeResources.h"

namespace {

struct Entry {
  unsigned type;
  unsigned name;
  unsigned language;
  std::string bytes;
};

void Put16(std::string* image, size_t at, uint32_t value) {
  (*image)[at] = static_cast<char>(value & 0xFF);
  (*image)[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string* image, size_t at, uint32_t value) {
  Put16(image, at, value & 0xFFFF);
  Put16(image, at + 2, value >> 16);
}

constexpr uint32_t kSectionAddress = 0x1000;
constexpr uint32_t kSectionFileOffset = 0x200;

// The resource section of the entries, laid out as a linker does: the
// type directory, then one name directory per entry and one language
// directory per entry (a tree that is flat but valid), then the data
// entries, then the data.
std::string ResourceSection(const std::vector<Entry>& entries) {
  size_t n = entries.size();
  size_t typeDir = 0;
  size_t nameDirs = 16 + 8 * n;
  size_t langDirs = nameDirs + 24 * n;
  size_t dataEntries = langDirs + 24 * n;
  size_t data = dataEntries + 16 * n;
  std::string section(data, '\0');
  Put16(&section, typeDir + 14, static_cast<uint32_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const Entry& e = entries[i];
    size_t nameDir = nameDirs + 24 * i;
    size_t langDir = langDirs + 24 * i;
    size_t dataEntry = dataEntries + 16 * i;
    Put32(&section, typeDir + 16 + 8 * i, e.type);
    Put32(&section, typeDir + 20 + 8 * i, 0x80000000u | static_cast<uint32_t>(nameDir));
    Put16(&section, nameDir + 14, 1);
    Put32(&section, nameDir + 16, e.name);
    Put32(&section, nameDir + 20, 0x80000000u | static_cast<uint32_t>(langDir));
    Put16(&section, langDir + 14, 1);
    Put32(&section, langDir + 16, e.language);
    Put32(&section, langDir + 20, static_cast<uint32_t>(dataEntry));
    Put32(&section, dataEntry, kSectionAddress + static_cast<uint32_t>(section.size()));
    Put32(&section, dataEntry + 4, static_cast<uint32_t>(e.bytes.size()));
    section += e.bytes;
  }
  return section;
}

// The two layouts of a Windows image: PE32+ for x64 programs, PE32 for x86
// ones, whose optional header is 16 bytes shorter before the directories.
struct Layout {
  const char* name;
  uint16_t machine;
  uint16_t magic;
  uint16_t optionalSize;
  size_t directories;  // offset in the optional header
};
const Layout kPe32Plus = {"PE32+", 0x8664, 0x20B, 240, 112};
const Layout kPe32 = {"PE32", 0x14C, 0x10B, 224, 96};

// An image with one section, .rsrc, holding the entries; no resource
// directory at all when there are none.
std::string Image(const std::vector<Entry>& entries, const Layout& layout = kPe32Plus) {
  std::string section = entries.empty() ? std::string() : ResourceSection(entries);
  std::string image(kSectionFileOffset, '\0');
  image[0] = 'M';
  image[1] = 'Z';
  const size_t pe = 0x40;
  Put32(&image, 0x3C, pe);
  image.replace(pe, 4, std::string("PE\0\0", 4));
  const size_t coff = pe + 4;
  Put16(&image, coff, layout.machine);
  Put16(&image, coff + 2, 1);
  Put16(&image, coff + 16, layout.optionalSize);
  const size_t optional = coff + 20;
  Put16(&image, optional, layout.magic);
  Put32(&image, optional + layout.directories - 4, 16);
  if (!entries.empty()) {
    Put32(&image, optional + layout.directories + 2 * 8, kSectionAddress);
    Put32(&image, optional + layout.directories + 2 * 8 + 4, static_cast<uint32_t>(section.size()));
  }
  const size_t header = optional + layout.optionalSize;
  image.replace(header, 5, ".rsrc");
  Put32(&image, header + 8, static_cast<uint32_t>(section.size()));
  Put32(&image, header + 12, kSectionAddress);
  Put32(&image, header + 16, static_cast<uint32_t>(section.size()));
  Put32(&image, header + 20, kSectionFileOffset);
  return image + section;
}

const char kManifest[] = "<assembly>asInvoker</assembly>";
constexpr unsigned kEnglish = 0x409;

struct ManifestCase {
  const char* name;
  std::vector<Entry> entries;
  bool found;
  const char* error;
};

TEST(PeResourcesTest, ProgramManifestIsTheOneOfTypeTwentyFourIdOne) {
  const std::vector<ManifestCase> cases = {
      {"the manifest beside a dialog and a version resource",
       {{5, 129, kEnglish, "dialog"}, {16, 1, kEnglish, "version"}, {24, 1, kEnglish, kManifest}},
       true,
       ""},
      {"no resources at all", {}, false, "no manifest resource"},
      {"resources but no manifest", {{5, 129, kEnglish, "dialog"}}, false, "no manifest resource"},
      {"a second manifest, as a default one linked in beside ours",
       {{24, 1, kEnglish, kManifest}, {24, 1, 0, "<assembly/>"}},
       false,
       "2 manifest resources"},
      {"a manifest under another id",
       {{24, 2, kEnglish, kManifest}},
       false,
       "a manifest resource with another id than 1"},
  };
  for (const ManifestCase& c : cases) {
    for (const Layout& layout : {kPe32Plus, kPe32}) {
      SCOPED_TRACE(std::string(c.name) + ", " + layout.name);
      std::vector<pe::Resource> resources;
      std::string error;
      ASSERT_TRUE(pe::ReadResources(Image(c.entries, layout), &resources, &error)) << error;
      ASSERT_EQ(c.entries.size(), resources.size());
      for (size_t i = 0; i < resources.size(); ++i) {
        EXPECT_EQ(c.entries[i].type, resources[i].type.number);
        EXPECT_EQ(c.entries[i].name, resources[i].name.number);
        EXPECT_EQ(c.entries[i].language, resources[i].language);
        EXPECT_EQ(c.entries[i].bytes, resources[i].bytes);
      }
      std::string manifest;
      EXPECT_EQ(c.found, pe::FindProgramManifest(resources, &manifest, &error));
      if (c.found) {
        EXPECT_EQ(kManifest, manifest);
      } else {
        EXPECT_EQ(c.error, error);
      }
    }
  }
}

TEST(PeResourcesTest, EveryShortenedImageIsRefusedOrReadWithoutOverrun) {
  std::string whole = Image({{5, 129, kEnglish, "dialog"}, {24, 1, kEnglish, kManifest}});
  for (size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    std::vector<pe::Resource> resources;
    std::string error;
    // The data of the last resource ends the file: no shorter image is whole.
    EXPECT_FALSE(pe::ReadResources(whole.substr(0, length), &resources, &error));
    EXPECT_FALSE(error.empty());
  }
}

TEST(PeResourcesTest, DamagedImagesAreRefusedWithTheirReason) {
  std::string good = Image({{24, 1, kEnglish, kManifest}});
  struct Damage {
    const char* name;
    size_t at;
    int width;  // bytes written
    uint32_t value;
    const char* error;
  };
  const size_t optional = 0x40 + 24;
  const size_t directoryAddress = optional + 112 + 2 * 8;
  const size_t typeEntryTarget = kSectionFileOffset + 20;
  const size_t dataEntryAddress = kSectionFileOffset + 72;
  const Damage damages[] = {
      {"no MZ", 0, 2, 0x4D4E, "not a PE image"},
      {"header offset past the end", 0x3C, 4, 0x7FFFFFF0u, "not a PE image"},
      {"no PE signature", 0x40, 2, 0x4551, "not a PE image"},
      {"neither PE32 nor PE32+", optional, 2, 0x30B, "unknown optional header"},
      {"resource directory outside every section", directoryAddress, 4, 0x9000,
       "resource directory outside the file"},
      // Levels are counted, so a loop ends at the third.
      {"a directory that holds itself", typeEntryTarget, 4, 0x80000000u,
       "resource tree not three levels deep"},
      {"a data entry, not a directory, at the type level", typeEntryTarget, 4, 0x48,
       "resource tree not three levels deep"},
      {"resource data beyond the section", dataEntryAddress, 4, 0x8000,
       "resource data outside the file"},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.name);
    std::string image = good;
    if (d.width == 4) {
      Put32(&image, d.at, d.value);
    } else {
      Put16(&image, d.at, d.value);
    }
    std::vector<pe::Resource> resources;
    std::string error;
    EXPECT_FALSE(pe::ReadResources(image, &resources, &error));
    EXPECT_EQ(d.error, error);
  }
}

}  // namespace
