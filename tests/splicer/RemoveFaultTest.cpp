// Every file call of a removal made to fail in turn, and the process ended
// at every file call in turn (every write among them): the bookmark file is always the old text or
// the whole new one, the backup never changes, a failure the run saw leaves no temporary file
// behind and is told as such, and the one an ended run left is gone after the next run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "installer/InstallerApp.h"
#include "tests/splicer/FaultyFileCallsPosix.h"
#include "tests/splicer/RemoveTestSupport.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;
using fault_test::calls;

struct Scenario {
  const char* name;
  const char* before;  // the bookmark file: data file, or expected/<file> when spliced
  bool spliced;
  const char* after;  // data file the removal makes of it
  InstallOutcome outcome;
};

void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }

const char kBackup[] = "the text from before the first install\r\n";
const std::vector<std::string> kFiles = {"bkmk.qyr", "bookmark.htm", "prefs.js"};

class RemoveFaultTest : public testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = FreshDirectory("remove_fault_" + name);
  }
  void TearDown() override { fault_test::EndRun(); }

  std::string Old() const {
    return GetParam().spliced ? Expected(GetParam().before) : Data(GetParam().before);
  }
  std::string New() const { return Data(GetParam().after); }

  void Prepare() {
    for (const std::string& name : FilesIn(dir_)) {
      std::remove((dir_ + name).c_str());
    }
    PutFile(dir_ + "bookmark.htm", Old());
    PutFile(dir_ + "bkmk.qyr", kBackup);
    PutFile(dir_ + "prefs.js", Data("prefs-work.js"));
  }

  // Runs one removal through the counting table; returns the calls it made.
  int Remove(int failCall, int abortCall) {
    fault_test::FaultPlan plan;
    plan.failAt = failCall;
    plan.abortAtCall = abortCall;
    fault_test::BeginRun(plan);
    RunRemover(dir_ + "bookmark.htm");
    fault_test::EndRun();
    return calls;
  }

  InstallOutcome Outcome() const { return static_cast<InstallerApp*>(AfxGetApp())->outcome; }

  // Old or whole new text, and the backup as it was.
  bool ExpectOldOrNew(const std::string& when) {
    std::optional<std::string> bookmark = FileBytes(dir_ + "bookmark.htm");
    bool old = bookmark == Old();
    EXPECT_TRUE(old || bookmark == New()) << when;
    EXPECT_EQ(FileBytes(dir_ + "bkmk.qyr"), kBackup) << when;
    return old;
  }

  // A later run in good order completes what a failed one left.
  void ExpectRecovery(const std::string& when) {
    Remove(0, 0);
    EXPECT_EQ(FileBytes(dir_ + "bookmark.htm"), New()) << when;
    EXPECT_EQ(FileBytes(dir_ + "bkmk.qyr"), kBackup) << when;
    EXPECT_EQ(Outcome(), GetParam().outcome) << when;
  }

  std::string dir_;
};

TEST_P(RemoveFaultTest, EveryCallFailingInTurn) {
  Prepare();
  const int total = Remove(0, 0);
  ASSERT_EQ(FileBytes(dir_ + "bookmark.htm"), New());
  ASSERT_EQ(Outcome(), GetParam().outcome);
  std::printf("%s: a removal makes N = %d file calls\n", GetParam().name, total);

  int unchanged = 0;
  for (int n = 1; n <= total; ++n) {
    Prepare();
    Remove(n, 0);
    std::string when = "call " + std::to_string(n) + " of " + std::to_string(total) + " failed";
    InstallOutcome outcome = Outcome();
    if (ExpectOldOrNew(when)) {
      // A run that changed nothing says so, and took its temporary file along.
      ++unchanged;
      EXPECT_NE(outcome, InstallOutcome::kDone) << when;
      EXPECT_NE(outcome, InstallOutcome::kLeftAlone) << when;
    }
    EXPECT_EQ(FilesIn(dir_), kFiles) << when;
    ExpectRecovery(when);
  }
  std::printf("%s: %d of %d failed calls left the file as it was\n", GetParam().name, unchanged,
              total);
}

TEST_P(RemoveFaultTest, ProcessEndedAtEveryFileCall) {
  Prepare();
  const int total = Remove(0, 0);
  int leftovers = 0;

  for (int n = 1; n <= total; ++n) {
    Prepare();
    std::string when = "ended at call " + std::to_string(n) + " of " + std::to_string(total);
    EXPECT_TRUE(fault_test::EndsByAbort([&] { Remove(0, n); })) << when;
    ExpectOldOrNew(when);
    // What the ended run left is its own temporary file, if anything; once
    // it is old, the next run removes it.
    leftovers += fault_test::AgeTemporaryFiles(dir_);
    ExpectRecovery(when);
    EXPECT_EQ(FilesIn(dir_), kFiles) << when;
  }
  std::printf("%s: %d of %d ended runs left a temporary file\n", GetParam().name, leftovers, total);
  EXPECT_GT(leftovers, 0);
}

const Scenario kScenarios[] = {
    {"installed", "work.htm", true, "bookmark.htm", InstallOutcome::kDone},
    {"new_toolbar_folder", "new-ptf.htm", true, "bookmark.htm", InstallOutcome::kDone},
    {"rewritten_with_folders_left", "remove/left-alone.htm", false,
     "remove/expected-left-alone.htm", InstallOutcome::kLeftAlone},
};

INSTANTIATE_TEST_SUITE_P(Remove, RemoveFaultTest, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
