// The browser's lock on Windows: the file "lockfile" in User Data, which a
// running browser holds open. Scratch profiles under the build directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "installer/BrowserLock.h"

namespace {

namespace fs = std::filesystem;

using installer::BrowserHoldsProfile;

// The directory a test starts in: the tests change it.
std::string CurrentDirectory() {
  char buffer[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
  return std::string(buffer, length);
}

// "<scratch>\User Data\Default\Bookmarks", gone again with the fixture
// whatever the outcome, as are open handles and a changed current directory.
class BrowserLockWin32 : public testing::Test {
 protected:
  void SetUp() override {
    cwd_ = CurrentDirectory();
    scratch_ = fs::path(BROWSER_LOCK_WORK_DIR) /
               testing::UnitTest::GetInstance()->current_test_info()->name();
    scratch_.make_preferred();
    fs::remove_all(scratch_);
    fs::create_directories(profile());
    bookmarks_ = (profile() / "Bookmarks").string();
  }
  void TearDown() override {
    if (held_ != INVALID_HANDLE_VALUE) {
      CloseHandle(held_);
    }
    EXPECT_TRUE(SetCurrentDirectoryA(cwd_.c_str()));
    SetFileAttributesA(lock().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    fs::remove_all(scratch_, ignored);
  }

  fs::path userData() const { return scratch_ / "User Data"; }
  fs::path profile() const { return userData() / "Default"; }
  fs::path lock() const { return userData() / "lockfile"; }

  // Opens the lock as the test says; the fixture closes it.
  void Hold(DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    held_ =
        CreateFileA(lock().string().c_str(), access, share, nullptr, disposition, flags, nullptr);
    ASSERT_NE(held_, INVALID_HANDLE_VALUE) << GetLastError();
  }
  void Release() {
    CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
  }

  fs::path scratch_;
  std::string bookmarks_;
  std::string cwd_;
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(BrowserLockWin32, NoLockfileIsNoBrowser) {
  EXPECT_FALSE(BrowserHoldsProfile(bookmarks_.c_str()));
  // Nor is a User Data that does not exist.
  EXPECT_FALSE(BrowserHoldsProfile((scratch_ / "gone\\Default\\Bookmarks").string().c_str()));
  EXPECT_FALSE(BrowserHoldsProfile(""));
  EXPECT_FALSE(BrowserHoldsProfile(nullptr));
}

TEST_F(BrowserLockWin32, ALockfileNobodyHoldsIsNoBrowser) {
  Hold(GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
  Release();
  EXPECT_FALSE(BrowserHoldsProfile(bookmarks_.c_str()));
  // Read-only too: the check must not need to write.
  ASSERT_TRUE(SetFileAttributesA(lock().string().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(BrowserHoldsProfile(bookmarks_.c_str()));
}

TEST_F(BrowserLockWin32, AHeldLockfileIsARunningBrowser) {
  struct Case {
    const char* name;
    DWORD access;
    DWORD share;
    DWORD flags;
  };
  const std::vector<Case> cases = {
      {"no sharing", GENERIC_READ | GENERIC_WRITE, 0, FILE_ATTRIBUTE_NORMAL},
      {"written, shared for reading, deleted on close", GENERIC_WRITE, FILE_SHARE_READ,
       FILE_FLAG_DELETE_ON_CLOSE},
      {"read only, shared for everything", GENERIC_READ,
       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_ATTRIBUTE_NORMAL},
  };
  for (const Case& c : cases) {
    Hold(c.access, c.share, OPEN_ALWAYS, c.flags);
    EXPECT_TRUE(BrowserHoldsProfile(bookmarks_.c_str())) << c.name;
    Release();
  }
  // Whoever held it last deleted it on closing.
  EXPECT_FALSE(BrowserHoldsProfile(bookmarks_.c_str()));
}

TEST_F(BrowserLockWin32, UserDataIsTheDirectoryAboveTheProfileAsWritten) {
  Hold(GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
  fs::create_directory(profile() / "Inner");
  const std::string scratch = scratch_.string();
  std::string forward = bookmarks_;
  for (char& c : forward) {
    if (c == '\\') {
      c = '/';
    }
  }
  struct Case {
    fs::path cwd;
    std::string path;
  };
  const std::vector<Case> cases = {
      {cwd_, bookmarks_},
      {cwd_, forward},
      {cwd_, scratch + "\\User Data/Default\\Bookmarks"},
      {cwd_, scratch + "\\\\User Data\\\\Default\\\\Bookmarks"},
      {cwd_, scratch + "\\User Data\\.\\Default\\.\\Bookmarks"},
      {scratch_, "User Data\\Default\\Bookmarks"},
      {scratch_, "User Data/Default/Bookmarks"},
      {userData(), "Default\\Bookmarks"},
      {profile(), "Bookmarks"},
      {profile(), ".\\Bookmarks"},
      {profile(), "Z:Bookmarks"},
      {profile(), "..\\Default\\Bookmarks"},
      {profile() / "Inner", "..\\Bookmarks"},
      {userData(), "Default\\..\\Default\\Bookmarks"},
      // Opera keeps its Bookmarks in User Data itself, beside the lock.
      {cwd_, (userData() / "Bookmarks").string()},
      {userData(), "Bookmarks"},
      {profile(), "..\\Bookmarks"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetCurrentDirectoryA(c.cwd.string().c_str())) << c.cwd;
    EXPECT_TRUE(BrowserHoldsProfile(c.path.c_str())) << c.path << " from " << c.cwd;
  }
  // A profile one level further down sees no lock.
  ASSERT_TRUE(SetCurrentDirectoryA(profile().string().c_str()));
  EXPECT_FALSE(BrowserHoldsProfile("Inner\\Bookmarks"));
  EXPECT_FALSE(BrowserHoldsProfile("Inner/Bookmarks"));
}

}  // namespace
