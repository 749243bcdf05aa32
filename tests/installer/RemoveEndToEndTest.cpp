// Foldmint asked to take the product's folder out again, run as a user
// runs it: the path on the command line in each of its forms, or asked
// for in the bookmark dialog; natively the exit status and the line on
// standard error tell the outcome.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "browser/BrowserInterface.h"
#include "testing/RegistryScratch.h"
#include "tests/installer/InstallerRunner.h"
#include "tests/installer/InstallerTestSupport.h"

namespace {

using installer_test::FileBytes;

const char kBookmarkPrompt[] = "Enter the path for your Bookmark.htm file";
const std::string kUsersKey = browser::kUsersKey;
const std::string kBackup = "the backup, from before the first install\r\n";

#ifdef _WIN32
constexpr bool kNative = false;
#else
constexpr bool kNative = true;
#endif

UserAction Ok() { return UserAction{UserAction::kOk, ""}; }
UserAction Close() { return UserAction{UserAction::kCloseBox, ""}; }
UserAction Escape() { return UserAction{UserAction::kEscape, ""}; }

void PutFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class RemoveEndToEndTest : public testing::Test {
 protected:
  // A profile as the installer left it, in a directory named `name`.
  void Installed(const std::string& name) {
    profile = installer_test::FreshProfile(name);
    bookmark = profile + "bookmark.htm";
    PutFile(bookmark, installer_test::SplicedBookmarks(installer_test::WithSeparators("|opt|Q|")));
    PutFile(profile + "bkmk.qyr", kBackup);
  }
  void SetUp() override {
    Installed(std::string("e2e_remove_") +
              testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  void ExpectRemoved(const InstallerOutcome& outcome) {
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(FileBytes(bookmark), installer_test::OriginalBookmarks());
    EXPECT_EQ(FileBytes(profile + "bkmk.qyr"), kBackup);
  }
  void ExpectUntouched(const InstallerOutcome& outcome) {
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(FileBytes(bookmark),
              installer_test::SplicedBookmarks(installer_test::WithSeparators("|opt|Q|")));
    EXPECT_EQ(FileBytes(profile + "bkmk.qyr"), kBackup);
  }

  RegistryScratch registry{installer_test::kUsersRegistryView};
  std::string profile;
  std::string bookmark;
};

TEST_F(RemoveEndToEndTest, SwitchAndPathShowNoDialog) {
  std::vector<std::string> switches = {"--remove"};
  if (!kNative) switches.push_back("/remove");
  for (const std::string& word : switches) {
    SCOPED_TRACE(word);
    Installed("e2e_remove_switch");
    InstallerOutcome outcome = RunInstaller(word + " " + bookmark, {{Ok()}});
    EXPECT_TRUE(outcome.shown.empty());
    ExpectRemoved(outcome);
    EXPECT_EQ(outcome.errorOutput, "");
  }
}

TEST_F(RemoveEndToEndTest, PathWithBlanksQuotedOrNot) {
  for (bool quoted : {true, false}) {
    SCOPED_TRACE(quoted ? "quoted" : "bare");
    Installed("e2e remove path with blanks");
    std::string path = quoted ? "\"" + bookmark + "\"" : bookmark;
    InstallerOutcome outcome = RunInstaller("--remove " + path, {{Ok()}});
    EXPECT_TRUE(outcome.shown.empty());
    ExpectRemoved(outcome);
  }
}

TEST_F(RemoveEndToEndTest, NoPathAsksInTheBookmarkDialog) {
  ASSERT_TRUE(registry.SetString(HKEY_LOCAL_MACHINE, kUsersKey, "CurrentUser", "ann"));
  ASSERT_TRUE(registry.SetString(HKEY_LOCAL_MACHINE, kUsersKey + "\\ann", "DirRoot",
                                 profile.substr(0, profile.size() - 1)));
  InstallerOutcome outcome = RunInstaller("--remove", {{Ok()}});
  ASSERT_EQ(outcome.shown.size(), 1u);
  EXPECT_EQ(outcome.shown[0].prompt, kBookmarkPrompt);
  EXPECT_EQ(outcome.shown[0].prefill, profile.substr(0, profile.size() - 1));
  ExpectRemoved(outcome);
}

TEST_F(RemoveEndToEndTest, CancelledBookmarkDialogChangesNothing) {
  for (const UserAction& cancel : {Close(), Escape()}) {
    InstallerOutcome outcome = RunInstaller("--remove", {{cancel}});
    EXPECT_EQ(outcome.shown.size(), 1u);
    EXPECT_EQ(outcome.exitCode, kNative ? 1 : 0);
    ExpectUntouched(outcome);
  }
}

TEST_F(RemoveEndToEndTest, SecondRemovalAndFileWithoutFolderStayAsTheyAre) {
  ExpectRemoved(RunInstaller("--remove " + bookmark, {}));
  InstallerOutcome again = RunInstaller("--remove " + bookmark, {});
  ExpectRemoved(again);
  EXPECT_EQ(again.errorOutput, "");
}

// After a removal an install splices the file's current text again.
TEST_F(RemoveEndToEndTest, InstallWorksAgainAfterRemoval) {
  std::string product = installer_test::WithSeparators("|opt|Q|");
  ExpectRemoved(RunInstaller("--remove " + bookmark, {}));
  InstallerOutcome install = RunInstaller(bookmark + " " + product, {});
  EXPECT_TRUE(install.ended);
  EXPECT_EQ(FileBytes(bookmark), installer_test::SplicedBookmarks(product));
  EXPECT_EQ(FileBytes(profile + "bkmk.qyr"), kBackup);
}

// Natively the outcome shows in the exit status and on standard error;
// Windows stays silent.
TEST_F(RemoveEndToEndTest, FolderTheUserAddedToIsLeftAndSaidSo) {
  std::string text = *FileBytes(bookmark);
  std::string close = "        </DL><p>\r\n";
  size_t firstClose = text.find(close);
  ASSERT_NE(firstClose, std::string::npos);
  text.insert(firstClose, "            <DT><A HREF=\"http://mine.example/\">Mine</A>\r\n");
  PutFile(bookmark, text);

  InstallerOutcome outcome = RunInstaller("--remove " + bookmark, {});
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.exitCode, kNative ? 5 : 0);
  std::string kept = FileBytes(bookmark).value_or("");
  EXPECT_NE(kept.find("Mine"), std::string::npos);
  EXPECT_EQ(kept.find("save.qyv"), kept.rfind("save.qyv")) << "the toolbar copy went";
  if (kNative) {
    EXPECT_NE(outcome.errorOutput.find(bookmark), std::string::npos) << outcome.errorOutput;
    EXPECT_NE(outcome.errorOutput.find("holds other entries"), std::string::npos)
        << outcome.errorOutput;
    EXPECT_EQ(outcome.errorOutput.find('\n'), outcome.errorOutput.size() - 1) << "one line";
  } else {
    EXPECT_EQ(outcome.errorOutput, "");
  }
  EXPECT_EQ(FileBytes(profile + "bkmk.qyr"), kBackup);
}

TEST_F(RemoveEndToEndTest, MissingFileIsReported) {
  InstallerOutcome outcome = RunInstaller("--remove " + profile + "none.htm", {});
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.exitCode, kNative ? 3 : 0);
  EXPECT_FALSE(FileBytes(profile + "none.htm").has_value());
}

}  // namespace
