// Every allocation of a run failed in turn, through a global operator new
// of this test program's own (FailingAllocation.cpp): the run ends as
// unreadable ("cannot be read, nothing changed", status 3 natively; Windows
// stays silent) and never aborts; the bookmark file is as it was, the
// backup absent or the old text, no temporary file is left, and the next
// run completes. Install and removal, driven from the command line.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "installer/InstallerApp.h"
#include "tests/splicer/FailingAllocation.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

// An HTML bookmark file installed into, or (true) taken out of again. The
// store waits for a version that builds no JSON tree: that tree allocates
// while it is torn down, so a failure in it ends in std::terminate before
// the program's top can catch anything.
class OutOfMemoryTest : public testing::TestWithParam<bool> {
 protected:
  // The outcome of the program's own start-up on the case's command line.
  InstallOutcome Run(long failing) {
    InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
    std::string line = (GetParam() ? "--remove " + file_ : file_ + " " + ProductDir());
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
    dir_ = FreshDirectory(GetParam() ? "out_of_memory_removal" : "out_of_memory_install");
    file_ = dir_ + "bookmark.htm";
    PutFile(file_, Data(GetParam() ? "remove/netscape.htm" : "bookmark.htm"));
    PutFile(dir_ + "prefs.js", Data("prefs-work.js"));
    before_ = FileBytes(file_);
  }

  std::string dir_;
  std::string file_;
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
    EXPECT_TRUE(!backup || (!GetParam() && backup == before_));
    std::vector<std::string> files = {"bookmark.htm", "prefs.js"};
    if (backup) files.insert(files.begin(), "bkmk.qyr");
    EXPECT_EQ(FilesIn(dir_), files) << "a temporary file was left";
    EXPECT_EQ(Run(0), InstallOutcome::kDone) << "the next run";
  }
}

INSTANTIATE_TEST_SUITE_P(Html, OutOfMemoryTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "removal" : "install");
                         });

}  // namespace
