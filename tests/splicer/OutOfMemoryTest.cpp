// Every allocation of a run failed in turn, through a global operator new
// of this test program's own (FailingAllocation.cpp): the run ends as
// unreadable ("cannot be read, nothing changed", status 3 natively; Windows
// stays silent) and never aborts; the bookmark file is as it was, the
// backup absent or the old text, no temporary file is left, and the next
// run completes. Install and removal of both formats, driven from the
// command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "installer/InstallerApp.h"
#include "tests/splicer/FailingAllocation.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

struct Case {
  bool store;    // a Chromium-family Bookmarks file, else an HTML one
  bool removal;  // taken out of again, else installed into
};

class OutOfMemoryTest : public testing::TestWithParam<Case> {
 protected:
  // The outcome of the program's own start-up on the case's command line.
  InstallOutcome Run(long failing) {
    InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
    std::string line = (GetParam().removal ? "--remove " + file_ : file_ + " " + ProductDir());
    app.m_lpCmdLine = &line[0];
    failing_allocation::allocations = 0;
    failing_allocation::failAt = failing;
    failing_allocation::armed = true;
    app.InitInstance();
    failing_allocation::armed = false;
    app.m_lpCmdLine = nullptr;
    return app.outcome;
  }

  // The profile as the case starts from: a removal's installed into first.
  void Prepare() {
    const Case c = GetParam();
    dir_ = FreshDirectory(std::string("out_of_memory_") + (c.store ? "store_" : "html_") +
                          (c.removal ? "removal" : "install"));
    if (c.store) {
      file_ = dir_ + "Bookmarks";
      PutFile(file_, *FileBytes(TargetPath(std::string(CHROMIUM_DATA_DIR "/") +
                                           (c.removal ? "everyday.installed.json"
                                                      : "everyday.json"))));
      names_ = {"Bookmarks"};
    } else {
      file_ = dir_ + "bookmark.htm";
      PutFile(file_, Data(c.removal ? "remove/netscape.htm" : "bookmark.htm"));
      PutFile(dir_ + "prefs.js", Data("prefs-work.js"));
      names_ = {"bookmark.htm", "prefs.js"};
    }
    before_ = FileBytes(file_);
  }

  std::string dir_;
  std::string file_;
  std::vector<std::string> names_;  // the profile's files before a run
  std::optional<std::string> before_;
};

TEST_P(OutOfMemoryTest, EveryAllocationFailingInTurnChangesNothing) {
  Prepare();
  ASSERT_EQ(Run(0), InstallOutcome::kDone);
  const long total = failing_allocation::allocations;
  for (long n = 1; n <= total && !HasFailure(); ++n) {
    Prepare();
    SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(total) + " failed");
    EXPECT_EQ(Run(n), InstallOutcome::kUnreadable);
    EXPECT_EQ(FileBytes(file_), before_);
    // An install may have made its backup, of the old text, before the failure.
    std::optional<std::string> backup = FileBytes(dir_ + "bkmk.qyr");
    EXPECT_TRUE(!backup || (!GetParam().removal && backup == before_));
    std::vector<std::string> files = names_;
    if (backup) files.push_back("bkmk.qyr");
    std::sort(files.begin(), files.end());
    EXPECT_EQ(FilesIn(dir_), files) << "a temporary file was left";
    EXPECT_EQ(Run(0), InstallOutcome::kDone) << "the next run";
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, OutOfMemoryTest,
                         testing::Values(Case{false, false}, Case{false, true}, Case{true, false},
                                         Case{true, true}),
                         [](const testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.store ? "store_" : "html_") +
                                  (info.param.removal ? "removal" : "install");
                         });

}  // namespace
