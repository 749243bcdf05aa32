// The browser's lock on POSIX: the symbolic link SingletonLock in User Data,
// "<host>-<pid>", in scratch profiles under the build directory.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "installer/BrowserLock.h"

namespace {

namespace fs = std::filesystem;

using installer::BrowserHoldsProfile;

std::string ThisHost() {
  char name[HOST_NAME_MAX + 1] = {};
  EXPECT_EQ(gethostname(name, sizeof name - 1), 0);
  return name;
}

// The id of a process that has ended: a child reaped before it is used.
pid_t EndedPid() {
  pid_t child = fork();
  if (child == 0) {
    _exit(0);
  }
  EXPECT_GT(child, 0);
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  return child;
}

// "<scratch>/User Data/Default/Bookmarks", gone again with the fixture
// whatever the outcome, as is a changed current directory.
class BrowserLockPosix : public testing::Test {
 protected:
  void SetUp() override {
    char* cwd = getcwd(nullptr, 0);
    ASSERT_NE(cwd, nullptr);
    cwd_ = cwd;
    free(cwd);
    scratch_ = fs::path(BROWSER_LOCK_WORK_DIR) /
               testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(scratch_);
    fs::create_directories(profile());
    bookmarks_ = (profile() / "Bookmarks").string();
  }
  void TearDown() override {
    EXPECT_EQ(chdir(cwd_.c_str()), 0);
    std::error_code ignored;
    fs::remove_all(scratch_, ignored);
  }

  fs::path userData() const { return scratch_ / "User Data"; }
  fs::path profile() const { return userData() / "Default"; }
  fs::path lock() const { return userData() / "SingletonLock"; }
  void Lock(const std::string& text) {
    std::error_code ignored;
    fs::remove(lock(), ignored);
    fs::create_symlink(text, lock());
  }

  fs::path scratch_;
  std::string bookmarks_;
  std::string cwd_;
};

TEST_F(BrowserLockPosix, NoLockIsNoBrowser) {
  EXPECT_FALSE(BrowserHoldsProfile(bookmarks_.c_str()));
  // Nor is a User Data that does not exist.
  EXPECT_FALSE(BrowserHoldsProfile((scratch_ / "gone/Default/Bookmarks").c_str()));
  EXPECT_FALSE(BrowserHoldsProfile(""));
  EXPECT_FALSE(BrowserHoldsProfile(nullptr));
}

TEST_F(BrowserLockPosix, TheLockTellsWhetherTheBrowserRuns) {
  const std::string host = ThisHost();
  const std::string alive = std::to_string(getpid());
  const std::string ended = std::to_string(EndedPid());
  struct Case {
    const char* name;
    std::string text;
    bool running;
  };
  const std::vector<Case> cases = {
      {"a process of this machine that runs", host + "-" + alive, true},
      {"a process of this machine that ended", host + "-" + ended, false},
      {"another machine, whose processes cannot be seen", "elsewhere-" + ended, true},
      {"another machine named like this one with a suffix", host + "x-" + ended, true},
      {"this machine's name with a dash before the id", host + "--" + ended, true},
      // Malformed locks count as running: nothing tells that none runs.
      {"no id", host + "-", true},
      {"no dash", host, true},
      {"empty id and host", "-", true},
      {"id with letters", host + "-" + ended + "x", true},
      {"id zero, which names a process group", host + "-0", true},
      {"id beyond any process", host + "-99999999999999999999", true},
  };
  for (const Case& c : cases) {
    Lock(c.text);
    EXPECT_EQ(BrowserHoldsProfile(bookmarks_.c_str()), c.running) << c.name << ": " << c.text;
  }
}

TEST_F(BrowserLockPosix, ALockThatIsNoLinkCountsAsRunning) {
  fs::create_directory(lock());
  EXPECT_TRUE(BrowserHoldsProfile(bookmarks_.c_str()));
}

TEST_F(BrowserLockPosix, UserDataIsTheDirectoryAboveTheProfileAsWritten) {
  Lock(ThisHost() + "-" + std::to_string(getpid()));
  // The profile directory as a link elsewhere: its lock is still the one
  // in the User Data that names it.
  fs::create_directories(scratch_ / "elsewhere/Real");
  fs::create_directory_symlink(scratch_ / "elsewhere/Real", userData() / "Linked");
  fs::create_directory(profile() / "Inner");
  struct Case {
    fs::path cwd;
    std::string path;
  };
  const std::vector<Case> cases = {
      {cwd_, bookmarks_},
      {cwd_, scratch_.string() + "//User Data//Default//Bookmarks"},
      {cwd_, scratch_.string() + "/User Data/./Default/./Bookmarks"},
      {cwd_, scratch_.string() + "/User Data/Linked/Bookmarks"},
      {scratch_, "User Data/Default/Bookmarks"},
      {userData(), "Default/Bookmarks"},
      {profile(), "Bookmarks"},
      {profile(), "./Bookmarks"},
      {profile(), "../Default/Bookmarks"},
      {profile() / "..", "Default/../Default/Bookmarks"},
      {profile() / "Inner", "../Bookmarks"},
      // Opera keeps its Bookmarks in User Data itself, beside the lock.
      {cwd_, (userData() / "Bookmarks").string()},
      {userData(), "Bookmarks"},
      {profile(), "../Bookmarks"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(chdir(c.cwd.c_str()), 0) << c.cwd;
    EXPECT_TRUE(BrowserHoldsProfile(c.path.c_str())) << c.path << " from " << c.cwd;
  }
  // The same paths with the lock in the wrong place: a profile one level
  // further down sees no lock.
  ASSERT_EQ(chdir(profile().c_str()), 0);
  EXPECT_FALSE(BrowserHoldsProfile("Inner/Bookmarks"));
}

}  // namespace
