// Every file call of a splice made to fail in turn, and the process ended
// at every write in turn: the bookmark file is always the old text or the
// whole new one, an existing backup never changes, a failure the run saw
// leaves no temporary file behind, and the one an ended run left is gone
// after the next run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "tests/splicer/FaultyFileCallsPosix.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;
using fault_test::calls;
using fault_test::writes;

struct Scenario {
  const char* name;
  const char* earlierBackup;  // data file already in place as bkmk.qyr; null: none
  bool noKernelCopy;
};

// Names the case in test listings (instead of the bytes of the row).
void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }

class SpliceFaultTest : public testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = FreshDirectory(name);
  }
  void TearDown() override { fault_test::EndRun(); }

  void Prepare() {
    for (const std::string& name : FilesIn(dir_)) {
      std::remove((dir_ + name).c_str());
    }
    PutFile(dir_ + "bookmark.htm", Data("bookmark.htm"));
    PutFile(dir_ + "prefs.js", Data("prefs-work.js"));
    if (GetParam().earlierBackup) PutFile(dir_ + "bkmk.qyr", Data(GetParam().earlierBackup));
  }

  // Runs one splice through the counting table; returns the calls it made.
  int Splice(int failCall, int abortWrite) {
    fault_test::FaultPlan plan;
    plan.failAt = failCall;
    plan.abortAtWrite = abortWrite;
    plan.noKernelCopy = GetParam().noKernelCopy;
    fault_test::BeginRun(plan);
    RunSplicer(dir_ + "bookmark.htm", ProductDir());
    fault_test::EndRun();
    return calls;
  }

  // Old or whole new text; prefs.js that could not be read gives the
  // usual fallback, a new toolbar folder at the end.
  void ExpectOldOrNew(const std::string& when, bool crashed) {
    std::optional<std::string> bookmark = FileBytes(dir_ + "bookmark.htm");
    bool old = bookmark == Data("bookmark.htm");
    bool spliced = bookmark == Expected("work.htm") || bookmark == Expected("new-ptf.htm");
    EXPECT_TRUE(old || spliced) << when;
    std::optional<std::string> backup = FileBytes(dir_ + "bkmk.qyr");
    if (GetParam().earlierBackup) {
      EXPECT_EQ(backup, Data(GetParam().earlierBackup)) << when;
    } else {
      EXPECT_TRUE(!backup || backup == Data("bookmark.htm")) << when;
      EXPECT_TRUE(backup || old) << when << ": spliced without a backup";
    }
    if (!crashed) {
      std::vector<std::string> files = FilesIn(dir_);
      EXPECT_TRUE(files == (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"}) ||
                  files == (std::vector<std::string>{"bookmark.htm", "prefs.js"}))
          << when << ": " << testing::PrintToString(files);
    }
  }

  // A later run in good order completes what a failed one left.
  void ExpectRecovery(const std::string& when) {
    bool hadNewFolderAtEnd = FileBytes(dir_ + "bookmark.htm") == Expected("new-ptf.htm");
    RunSplicer(dir_ + "bookmark.htm", ProductDir());
    EXPECT_EQ(FileBytes(dir_ + "bookmark.htm"),
              Expected(hadNewFolderAtEnd ? "new-ptf.htm" : "work.htm"))
        << when;
    EXPECT_EQ(FileBytes(dir_ + "bkmk.qyr"),
              Data(GetParam().earlierBackup ? GetParam().earlierBackup : "bookmark.htm"))
        << when;
  }

  std::string dir_;
};

TEST_P(SpliceFaultTest, EveryCallFailingInTurn) {
  Prepare();
  const int total = Splice(0, 0);
  ASSERT_EQ(FileBytes(dir_ + "bookmark.htm"), Expected("work.htm"));
  std::printf("%s: a splice makes N = %d file calls\n", GetParam().name, total);
  RecordProperty("file_calls", total);

  for (int n = 1; n <= total; ++n) {
    Prepare();
    Splice(n, 0);
    std::string when = "call " + std::to_string(n) + " of " + std::to_string(total) + " failed";
    ExpectOldOrNew(when, false);
    ExpectRecovery(when);
  }
}

TEST_P(SpliceFaultTest, ProcessEndedAtEveryWrite) {
  Prepare();
  Splice(0, 0);
  const int totalWrites = writes;
  int leftovers = 0;
  std::printf("%s: a splice makes %d writes\n", GetParam().name, totalWrites);

  for (int n = 1; n <= totalWrites; ++n) {
    Prepare();
    std::string when = "ended at write " + std::to_string(n) + " of " + std::to_string(totalWrites);
    EXPECT_TRUE(fault_test::EndsByAbort([&] { Splice(0, n); })) << when;
    ExpectOldOrNew(when, true);
    // What the ended run left is its own temporary file, if anything; once
    // it is old, the next run removes it.
    leftovers += fault_test::AgeTemporaryFiles(dir_);
    ExpectRecovery(when);
    // The system's copy ended halfway leaves its own file, which is not
    // this program's to remove.
    std::vector<std::string> files;
    for (const std::string& name : FilesIn(dir_)) {
      if (name.rfind("bkmk.qyr.", 0) != 0) files.push_back(name);
    }
    EXPECT_EQ(files, (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"})) << when;
  }
  std::printf("%s: %d of %d ended runs left a temporary file\n", GetParam().name, leftovers,
              totalWrites);
  EXPECT_GT(leftovers, 0);
}

const Scenario kScenarios[] = {
    {"first_run", nullptr, false},
    {"first_run_copy_by_reading", nullptr, true},
    {"earlier_backup", "old-bookmark.htm", false},
};

INSTANTIATE_TEST_SUITE_P(Splice, SpliceFaultTest, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
