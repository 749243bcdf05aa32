// Every allocation of a run failed in turn, through a global operator new
// of this test program's own (FailingAllocation.cpp): the run ends as
// unreadable ("cannot be read, nothing changed", status 3 natively; Windows
// stays silent) and never aborts; the bookmark file is as it was, the
// backup absent or the old text, no temporary file is left, and the next
// run completes. Install and removal, driven from the command line.
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
using failing_allocation::allocations;

struct Case {
  const char* name;
  const char* fileName;
  bool store;    // a Chromium-family Bookmarks file, else an HTML one with prefs.js
  bool removal;  // taken out of the installed file, else installed
};

// The store's rows wait for a store that builds no JSON tree: that tree
// allocates while it is torn down, so a failure inside it ends the process
// in std::terminate before the program's top can catch anything.
const Case kCases[] = {
    {"html_install", "bookmark.htm", false, false},
    {"html_removal", "bookmark.htm", false, true},
};

void PrintTo(const Case& row, std::ostream* out) { *out << row.name; }

class OutOfMemoryTest : public testing::TestWithParam<Case> {
 protected:
  // The outcome of one run of the program's own start-up on this line.
  InstallOutcome Run(const std::string& line, long failing) {
    InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
    std::string text = line;
    app.m_lpCmdLine = &text[0];
    allocations = 0;
    failing_allocation::failAt = failing;
    failing_allocation::armed = true;
    app.InitInstance();
    failing_allocation::armed = false;
    app.m_lpCmdLine = nullptr;
    return app.outcome;
  }

  // A fresh profile as the case starts from; the removal's from an install.
  void Prepare() {
    dir_ = FreshDirectory(std::string("out_of_memory_") + GetParam().name);
    file_ = dir_ + GetParam().fileName;
    if (GetParam().store) {
      PutFile(file_, *FileBytes(TargetPath(CHROMIUM_DATA_DIR "/emptied.json")));
    } else {
      PutFile(file_, Data("bookmark.htm"));
      PutFile(dir_ + "prefs.js", Data("prefs-work.js"));
    }
    if (GetParam().removal) {
      ASSERT_EQ(Run(InstallLine(), 0), InstallOutcome::kDone);
    }
    before_ = FileBytes(file_);
    backup_ = FileBytes(dir_ + "bkmk.qyr");
    files_ = FilesIn(dir_);
  }

  std::string InstallLine() const { return file_ + " " + ProductDir(); }
  std::string Line() const { return GetParam().removal ? "--remove " + file_ : InstallLine(); }

  std::string dir_;
  std::string file_;
  std::optional<std::string> before_;
  std::optional<std::string> backup_;
  std::vector<std::string> files_;
};

TEST_P(OutOfMemoryTest, EveryAllocationFailingInTurnChangesNothing) {
  Prepare();
  ASSERT_EQ(Run(Line(), 0), InstallOutcome::kDone);
  const long total = allocations;
  ASSERT_GT(total, 0);
  for (long n = 1; n <= total; ++n) {
    Prepare();
    SCOPED_TRACE("allocation " + std::to_string(n) + " of " + std::to_string(total) + " failed");
    EXPECT_EQ(Run(Line(), n), InstallOutcome::kUnreadable);
    EXPECT_EQ(FileBytes(file_), before_);
    std::optional<std::string> backup = FileBytes(dir_ + "bkmk.qyr");
    std::vector<std::string> files = FilesIn(dir_);
    if (!backup_ && backup) {
      // An install may have made its backup before the failure: the old text.
      EXPECT_EQ(backup, before_);
      files_.push_back("bkmk.qyr");
      std::sort(files_.begin(), files_.end());
    }
    EXPECT_EQ(backup, backup_ ? backup_ : backup);
    EXPECT_EQ(files, files_) << "a temporary file was left";
    EXPECT_EQ(Run(Line(), 0), InstallOutcome::kDone) << "the next run";
    if (testing::Test::HasFailure()) {
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, OutOfMemoryTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
