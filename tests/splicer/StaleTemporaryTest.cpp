// Temporary files beside the bookmark file: a run removes what interrupted
// runs left once it is old enough that no run can still be writing it, and
// never touches any other file; a young one is passed over and kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;
namespace fs = std::filesystem;

struct Leftover {
  const char* name;
  int ageMinutes;
  bool removed;
};

struct StaleCase {
  const char* name;
  std::vector<Leftover> leftovers;
};

void PrintTo(const StaleCase& row, std::ostream* out) { *out << row.name; }

const StaleCase kCases[] = {
    {"old_temporary_file_removed", {{"bkmk-0.qyn", 60, true}}},
    {"every_old_slot_removed", {{"bkmk-0.qyn", 11, true}, {"bkmk-7.qyn", 600, true}}},
    {"young_temporary_file_kept", {{"bkmk-0.qyn", 1, false}}},
    {"young_and_old_side_by_side", {{"bkmk-0.qyn", 2, false}, {"bkmk-1.qyn", 30, true}}},
    {"other_files_kept_however_old",
     {{"bkmk-0.qyn.bak", 600, false},
      {"bkmk-00.qyn", 600, false},
      {"bkmk-x.qyn", 600, false},
      {"bookmark.htm.1234.tmp", 600, false},
      {"bkmA1B2.tmp", 600, false},
      {"bkmk-0.qyr", 600, false}}},
};

class StaleTemporaryTest : public testing::TestWithParam<StaleCase> {};

TEST_P(StaleTemporaryTest, RunRemovesOnlyOldTemporaryFiles) {
  std::string dir = FreshDirectory(std::string("stale_") + GetParam().name);
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
  for (const Leftover& file : GetParam().leftovers) {
    PutFile(dir + file.name, "half a bookmark file");
    fs::last_write_time(dir + file.name,
                        fs::file_time_type::clock::now() - std::chrono::minutes(file.ageMinutes));
  }

  RunSplicer(dir + "bookmark.htm", ProductDir());

  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
  std::vector<std::string> files = FilesIn(dir);
  for (const Leftover& file : GetParam().leftovers) {
    bool present = std::find(files.begin(), files.end(), file.name) != files.end();
    EXPECT_EQ(present, !file.removed) << file.name;
  }
  // The run's own temporary file is gone once it has taken the bookmark
  // file's place.
  size_t kept = 0;
  for (const Leftover& file : GetParam().leftovers) kept += file.removed ? 0 : 1;
  EXPECT_EQ(files.size(), 3 + kept) << testing::PrintToString(files);
}

INSTANTIATE_TEST_SUITE_P(Splice, StaleTemporaryTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<StaleCase>& info) {
                           return std::string(info.param.name);
                         });

// A run still writes when every slot is held by a young file: it is refused,
// and the bookmark file stays as it was. The backup is written through the
// same slots, so none is made either.
TEST(StaleTemporaryTest, EverySlotHeldLeavesBookmarkFileAlone) {
  std::string dir = FreshDirectory("stale_every_slot_held");
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  for (int slot = 0; slot < 8; ++slot) {
    PutFile(dir + "bkmk-" + std::to_string(slot) + ".qyn", "another run");
  }
  RunSplicer(dir + "bookmark.htm", ProductDir());
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Data("bookmark.htm"));
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), std::nullopt);
  EXPECT_EQ(FilesIn(dir).size(), 9u);
}

}  // namespace
