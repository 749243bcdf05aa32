// A Chromium-family Bookmarks file under injected faults, natively: every
// file call of an install and of a removal failed in turn, and the process
// ended at each. Afterwards the file is the old text or a whole new one
// (which parses, and whose removal gives the old text back), the backup is
// absent or the old text, and the next run completes the install.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "installer/chromium/ChromiumBookmarks.h"
#include "tests/splicer/FaultyFileCallsPosix.h"
#include "tests/splicer/RemoveTestSupport.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

std::string Original() { return *FileBytes(CHROMIUM_DATA_DIR "/everyday.json"); }

// The whole installed text: both copies in, and taking them out gives the
// original back.
bool IsInstalled(const std::optional<std::string>& text) {
  if (!text || !installer::chromium::IsChromiumBookmarks(*text)) return false;
  installer::chromium::RemovalResult removal = installer::chromium::Remove(*text);
  return removal.status == installer::chromium::StoreStatus::kDone && removal.removedFolders == 2 &&
         removal.leftAlone.empty() && removal.Text() == Original();
}

class ChromiumFaultTest : public testing::TestWithParam<bool> {
 public:
  void SetUp() override {
    std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name) c = c == '/' ? '_' : c;
    dir_ = FreshDirectory(name);
    file_ = dir_ + "Bookmarks";
  }
  void TearDown() override { fault_test::EndRun(); }

  bool Removal() const { return GetParam(); }

  // A removal starts from the installed file, an install from the original.
  void Prepare() {
    for (const std::string& name : FilesIn(dir_)) std::remove((dir_ + name).c_str());
    PutFile(file_, Original());
    if (Removal()) RunSplicer(file_, ProductDir());
    installed_ = FileBytes(file_).value_or("");
  }

  int Run(const fault_test::FaultPlan& plan) {
    fault_test::BeginRun(plan);
    if (Removal()) {
      RunRemover(file_);
    } else {
      RunSplicer(file_, ProductDir());
    }
    fault_test::EndRun();
    return fault_test::calls;
  }

  void ExpectOldOrNewThenRecovery(const std::string& when) {
    std::optional<std::string> text = FileBytes(file_);
    std::optional<std::string> backup = FileBytes(dir_ + "bkmk.qyr");
    if (Removal()) {
      EXPECT_TRUE(text == installed_ || text == Original()) << when;
      EXPECT_EQ(backup, Original()) << when << ": the backup is never touched by a removal";
      RunRemover(file_);
      EXPECT_EQ(FileBytes(file_), Original()) << when;
      return;
    }
    EXPECT_TRUE(text == Original() || IsInstalled(text)) << when;
    EXPECT_TRUE(!backup || backup == Original()) << when;
    EXPECT_TRUE(backup || text == Original()) << when << ": installed without a backup";
    RunSplicer(file_, ProductDir());
    EXPECT_TRUE(IsInstalled(FileBytes(file_))) << when;
    EXPECT_EQ(FileBytes(dir_ + "bkmk.qyr"), Original()) << when;
  }

  std::string dir_;
  std::string file_;
  std::string installed_;
};

TEST_P(ChromiumFaultTest, EveryCallFailingInTurnAndTheProcessEndedAtEach) {
  Prepare();
  const int total = Run({});
  std::string names;
  for (const std::string& name : fault_test::callNames) names += " " + name;
  std::printf("%s of a Bookmarks file makes N = %d file calls:%s\n",
              Removal() ? "a removal" : "an install", total, names.c_str());
  for (int n = 1; n <= total; ++n) {
    Prepare();
    fault_test::FaultPlan failing;
    failing.failAt = n;
    Run(failing);
    ExpectOldOrNewThenRecovery("call " + std::to_string(n) + " (" + fault_test::callNames[n - 1] +
                               ") failed");

    Prepare();
    fault_test::FaultPlan ending;
    ending.abortAtCall = n;
    std::string when = "ended at call " + std::to_string(n);
    EXPECT_TRUE(fault_test::EndsByAbort([&] { Run(ending); })) << when;
    fault_test::AgeTemporaryFiles(dir_);
    ExpectOldOrNewThenRecovery(when);
    std::vector<std::string> files = FilesIn(dir_);
    EXPECT_EQ(files, (std::vector<std::string>{"Bookmarks", "bkmk.qyr"})) << when;
  }
}

INSTANTIATE_TEST_SUITE_P(Chromium, ChromiumFaultTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "removal" : "install");
                         });

}  // namespace
