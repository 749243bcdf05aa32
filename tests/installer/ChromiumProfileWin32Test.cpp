// Foldmint.exe on a Chromium-family profile as a user has one on Windows:
// the Bookmarks file under "User Data", given in double quotes; left alone
// while the browser holds the profile's lockfile. The program ends every
// run by itself, silently and with status 0 (an abort would end it with 3).
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "installer/chromium/ChromiumBookmarks.h"
#include "tests/installer/InstallerRunner.h"
#include "tests/installer/InstallerTestSupport.h"

namespace {

using installer_test::FileBytes;

// Runs Foldmint.exe and expects it to end as it always does.
void RunToItsEnd(const std::string& commandLine) {
  InstallerOutcome outcome = RunInstaller(commandLine, {});
  EXPECT_TRUE(outcome.ended) << commandLine;
  EXPECT_EQ(outcome.exitCode, 0) << commandLine;
  EXPECT_EQ(outcome.shown.size(), 0u) << commandLine;
}

class ChromiumProfile : public testing::Test {
 protected:
  void SetUp() override {
    userData = installer_test::FreshDirectory("chromium User Data");
    CreateDirectoryA((userData + "Default").c_str(), nullptr);
    bookmarks = userData + "Default\\Bookmarks";
    original = *FileBytes(installer_test::TargetPath(CHROMIUM_DATA_DIR "/everyday.json"));
    std::ofstream(bookmarks, std::ios::binary) << original;
  }

  std::string Quoted() const { return "\"" + bookmarks + "\" C:\\Program Files\\Quillary\\"; }

  std::string userData;
  std::string bookmarks;
  std::string original;
};

TEST_F(ChromiumProfile, QuotedPathInstallsOnceAndRemovalGivesTheFileBack) {
  RunToItsEnd(Quoted());
  std::string installed = FileBytes(bookmarks).value_or("");
  EXPECT_NE(installed.find("\"url\": \"file:///C:/Program%20Files/Quillary/save.qyv\""),
            std::string::npos);
  EXPECT_EQ(FileBytes(userData + "Default\\bkmk.qyr"), original);
  // The second run finds the folder in both roots and changes no byte.
  RunToItsEnd(Quoted());
  EXPECT_EQ(FileBytes(bookmarks), installed);

  RunToItsEnd("--remove \"" + bookmarks + "\"");
  EXPECT_EQ(FileBytes(bookmarks), original);
}

TEST_F(ChromiumProfile, QuotedProductDirectoryLosesItsQuotes) {
  RunToItsEnd("\"" + bookmarks + "\" \"C:\\Program Files\\Quillary\\\"");
  EXPECT_NE(FileBytes(bookmarks).value_or("").find(
                "\"url\": \"file:///C:/Program%20Files/Quillary/save.qyv\""),
            std::string::npos);
}

TEST_F(ChromiumProfile, NothingChangesWhileTheBrowserHoldsItsLockfile) {
  // As the browser holds it: open, shared with no one.
  HANDLE lock = CreateFileA((userData + "lockfile").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  RunToItsEnd(Quoted());
  CloseHandle(lock);
  EXPECT_EQ(FileBytes(bookmarks), original);
  EXPECT_FALSE(FileBytes(userData + "Default\\bkmk.qyr").has_value());
}

// Wine makes no symbolic link itself: the suite links
// "chromium links\Bookmarks" to "..\chromium User Data\Default\Bookmarks"
// on the host's side before the run. Through it the real file changes and
// the link stays (had the new text taken the link's place, the real file
// would still be the original), with the backup beside the real file, and
// the lockfile is looked for beside the real file.
TEST_F(ChromiumProfile, ThroughALinkTheRealFileChangesAndTheLinkStays) {
  const std::string links = installer_test::TargetPath(INSTALLER_WORK_DIR "/chromium links/");
  const std::string linked = "\"" + links + "Bookmarks\" C:\\Program Files\\Quillary\\";
  ASSERT_EQ(FileBytes(links + "Bookmarks"), original) << "the suite's link is missing";

  HANDLE lock = CreateFileA((userData + "lockfile").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  RunToItsEnd(linked);
  CloseHandle(lock);
  EXPECT_EQ(FileBytes(bookmarks), original);
  EXPECT_FALSE(FileBytes(userData + "Default\\bkmk.qyr").has_value());

  RunToItsEnd(linked);
  EXPECT_NE(FileBytes(bookmarks), original);
  EXPECT_EQ(FileBytes(links + "Bookmarks"), FileBytes(bookmarks));
  EXPECT_EQ(FileBytes(userData + "Default\\bkmk.qyr"), original);
  EXPECT_FALSE(FileBytes(links + "bkmk.qyr").has_value());
}

}  // namespace
