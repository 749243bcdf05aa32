// Every file call of a splice made to fail in turn, and the process ended
// at every call and at every write in turn (also halfway through it): the
// bookmark file is always the old text or the whole new one, the backup is
// missing or the whole old text and an existing one never changes, a
// failure the run saw leaves no temporary file behind, and the one an ended
// run left is gone after the next run, which completes the install. Runs
// at the same moment leave one backup.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
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
};

// Names the case in test listings (instead of the bytes of the row).
void PrintTo(const Scenario& row, std::ostream* out) { *out << row.name; }

class SpliceFaultTest : public testing::TestWithParam<Scenario> {
 public:
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
  int Splice(const fault_test::FaultPlan& plan) {
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

fault_test::FaultPlan FailingAt(int call) {
  fault_test::FaultPlan plan;
  plan.failAt = call;
  return plan;
}

TEST_P(SpliceFaultTest, EveryCallFailingInTurn) {
  Prepare();
  const int total = Splice({});
  ASSERT_EQ(FileBytes(dir_ + "bookmark.htm"), Expected("work.htm"));
  std::string names;
  for (const std::string& name : fault_test::callNames) names += " " + name;
  std::printf("%s: a splice makes N = %d file calls:%s\n", GetParam().name, total, names.c_str());
  RecordProperty("file_calls", total);

  for (int n = 1; n <= total; ++n) {
    Prepare();
    Splice(FailingAt(n));
    std::string when = "call " + std::to_string(n) + " of " + std::to_string(total) + " (" +
                       fault_test::callNames[n - 1] + ") failed";
    ExpectOldOrNew(when, false);
    ExpectRecovery(when);
  }
}

// What a run ended by its plan left, then what the next run makes of it:
// its own temporary file at most, which goes once it is old.
int EndedRunsLeft(SpliceFaultTest& test, int total, const char* what,
                  const std::function<fault_test::FaultPlan(int)>& planFor) {
  int leftovers = 0;
  for (int n = 1; n <= total; ++n) {
    test.Prepare();
    std::string when =
        std::string("ended at ") + what + " " + std::to_string(n) + " of " + std::to_string(total);
    EXPECT_TRUE(fault_test::EndsByAbort([&] { test.Splice(planFor(n)); })) << when;
    test.ExpectOldOrNew(when, true);
    leftovers += fault_test::AgeTemporaryFiles(test.dir_);
    test.ExpectRecovery(when);
    EXPECT_EQ(FilesIn(test.dir_),
              (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"}))
        << when;
  }
  return leftovers;
}

TEST_P(SpliceFaultTest, ProcessEndedAtEveryCall) {
  Prepare();
  const int total = Splice({});
  int leftovers = EndedRunsLeft(*this, total, "call", [](int n) {
    fault_test::FaultPlan plan;
    plan.abortAtCall = n;
    return plan;
  });
  std::printf("%s: %d of N = %d runs ended at a call left a temporary file\n", GetParam().name,
              leftovers, total);
  EXPECT_GT(leftovers, 0);
}

TEST_P(SpliceFaultTest, ProcessEndedAtEveryWriteWholeOrHalfway) {
  Prepare();
  Splice({});
  const int totalWrites = writes;
  for (bool halfway : {false, true}) {
    int leftovers =
        EndedRunsLeft(*this, totalWrites, halfway ? "halfway write" : "write", [halfway](int n) {
          fault_test::FaultPlan plan;
          plan.abortAtWrite = n;
          plan.halfWriteBeforeAbort = halfway;
          return plan;
        });
    std::printf("%s: %d of %d runs ended at a write%s left a temporary file\n", GetParam().name,
                leftovers, totalWrites, halfway ? " halfway" : "");
    EXPECT_GT(leftovers, 0);
  }
}

const Scenario kScenarios[] = {
    {"first_run", nullptr},
    {"earlier_backup", "old-bookmark.htm"},
};

void PutProfile(const std::string& dir) {
  for (const std::string& name : FilesIn(dir)) std::remove((dir + name).c_str());
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
}

// Another run makes the backup between this run's look for one and its own
// no-replace rename (of another text here, to tell the two apart): that
// backup stays, this run's copy goes, and the splice goes on beside it.
TEST(SpliceBackupRace, ABackupMadeMeanwhileIsNeverReplaced) {
  const std::string dir = FreshDirectory("backup_race_meanwhile");
  PutProfile(dir);
  fault_test::BeginRun({});
  RunSplicer(dir + "bookmark.htm", ProductDir());
  fault_test::EndRun();
  const std::vector<std::string>& names = fault_test::callNames;
  auto rename = std::find(names.begin(), names.end(), "renameNoReplace");
  ASSERT_NE(rename, names.end()) << "the backup is given its name without a replace";

  PutProfile(dir);
  const std::string rival = Data("old-bookmark.htm");
  fault_test::FaultPlan plan;
  plan.hookAt = static_cast<int>(rename - names.begin()) + 1;
  plan.hook = [&] { PutFile(dir + "bkmk.qyr", rival); };
  fault_test::BeginRun(plan);
  RunSplicer(dir + "bookmark.htm", ProductDir());
  fault_test::EndRun();
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), rival);
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"}));
}

// Runs started together, as processes: one backup, the old text whole, one
// folder spliced, no temporary file left.
TEST(SpliceBackupRace, RunsAtTheSameMomentLeaveOneWholeBackup) {
  constexpr int kRounds = 8;
  constexpr int kRuns = 4;
  const std::string dir = FreshDirectory("backup_race_processes");
  for (int round = 1; round <= kRounds; ++round) {
    PutProfile(dir);
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::fflush(nullptr);
    std::vector<pid_t> runs;
    for (int i = 0; i < kRuns; ++i) {
      pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        close(gate[1]);
        char go;
        // Every run waits until the gate closes, then all start at once.
        while (read(gate[0], &go, 1) > 0) {
        }
        RunSplicer(dir + "bookmark.htm", ProductDir());
        _exit(0);
      }
      runs.push_back(child);
    }
    close(gate[0]);
    close(gate[1]);
    for (pid_t child : runs) {
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), Data("bookmark.htm")) << "round " << round;
    EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm")) << "round " << round;
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"}))
        << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Splice, SpliceFaultTest, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
