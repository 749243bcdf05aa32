// The installer program run as a user runs it, on a sample profile: from
// its command line, and through its dialogs prefilled from the registry.
#include <gtest/gtest.h>

#include <string>

#include "browser/BrowserInterface.h"
#include "installer/registry/ProductKeyReader.h"
#include "testing/RegistryScratch.h"
#include "tests/installer/InstallerRunner.h"
#include "tests/installer/InstallerTestSupport.h"

namespace {

using installer_test::FileBytes;
using installer_test::Separator;

const char kBookmarkPrompt[] = "Enter the path for your Bookmark.htm file";
const char kProductPrompt[] = "Enter the path to Quillary";
const std::string kUsersKey = browser::kUsersKey;

UserAction Ok() { return UserAction{UserAction::kOk, ""}; }
UserAction Type(const std::string& text) { return UserAction{UserAction::kTypeAndOk, text}; }
UserAction Close() { return UserAction{UserAction::kCloseBox, ""}; }
UserAction Escape() { return UserAction{UserAction::kEscape, ""}; }

class InstallerEndToEndTest : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    profile = installer_test::FreshProfile(std::string("e2e_") + test->name());
    bookmark = profile + "bookmark.htm";
    product = installer_test::WithSeparators("|opt|Quillary|");
  }

  // The profile's directory without its final separator, as the browser keeps it.
  std::string ProfileDirRoot() const { return profile.substr(0, profile.size() - 1); }

  void RegisterProfile() {
    ASSERT_TRUE(registry.SetString(HKEY_LOCAL_MACHINE, kUsersKey, "CurrentUser", "ann"));
    ASSERT_TRUE(
        registry.SetString(HKEY_LOCAL_MACHINE, kUsersKey + "\\ann", "DirRoot", ProfileDirRoot()));
  }
  void RegisterBasePath(const std::string& basePath) {
    ASSERT_TRUE(
        registry.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path", basePath));
  }

  void ExpectSpliced(const std::string& productDir) {
    EXPECT_EQ(FileBytes(bookmark), installer_test::SplicedBookmarks(productDir));
    EXPECT_EQ(FileBytes(profile + "bkmk.qyr"), installer_test::OriginalBookmarks());
  }
  void ExpectUntouched() {
    EXPECT_EQ(FileBytes(bookmark), installer_test::OriginalBookmarks());
    EXPECT_FALSE(FileBytes(profile + "bkmk.qyr").has_value());
  }

  RegistryScratch registry{installer_test::kUsersRegistryView};
  std::string profile;
  std::string bookmark;
  std::string product;
};

TEST_F(InstallerEndToEndTest, BothPathsOnCommandLineShowNoDialog) {
  InstallerOutcome outcome = RunInstaller(bookmark + " " + product, {{Ok()}});
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.shown.size(), 0u);
  ExpectSpliced(product);
}

TEST_F(InstallerEndToEndTest, CommandLineSplitsAtFirstBlank) {
  struct Row {
    const char* label;
    std::string between;  // after the bookmark path
    std::string productDir;
  } rows[] = {
      {"blank inside the product directory", " ",
       installer_test::WithSeparators("|opt|Program Files|Q|")},
      {"two blanks", "  ", " " + installer_test::WithSeparators("|opt|Q|")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    std::string dir = row.productDir.substr(row.productDir[0] == ' ' ? 1 : 0);
    InstallerOutcome outcome = RunInstaller(bookmark + row.between + dir, {{Ok()}});
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.shown.size(), 0u);
    ExpectSpliced(row.productDir);
  }
}

TEST_F(InstallerEndToEndTest, QuotedBookmarkPathMayHoldBlanks) {
  // As today's browsers keep their profiles, under "User Data".
  std::string spaced = installer_test::FreshProfile("e2e User Data");
  InstallerOutcome outcome = RunInstaller("\"" + spaced + "bookmark.htm\" " + product, {{Ok()}});
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.shown.size(), 0u);
  EXPECT_EQ(FileBytes(spaced + "bookmark.htm"), installer_test::SplicedBookmarks(product));
  EXPECT_EQ(FileBytes(spaced + "bkmk.qyr"), installer_test::OriginalBookmarks());
}

TEST_F(InstallerEndToEndTest, QuotedProductDirectoryLosesItsQuotes) {
  InstallerOutcome outcome = RunInstaller(bookmark + " \"" + product + "\"", {{Ok()}});
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.shown.size(), 0u);
  ExpectSpliced(product);
}

TEST_F(InstallerEndToEndTest, OnlyBookmarkPathAsksForProductPrefilledFromBasePath) {
  RegisterBasePath(product.substr(0, product.size() - 1));
  InstallerOutcome outcome = RunInstaller(bookmark, {{Ok()}});
  EXPECT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.shown.size(), 1u);
  EXPECT_EQ(outcome.shown[0].prompt, kProductPrompt);
  EXPECT_EQ(outcome.shown[0].prefill, product);
  ExpectSpliced(product);
}

TEST_F(InstallerEndToEndTest, NoArgumentsAsksForBothFromRegistry) {
  RegisterProfile();
  RegisterBasePath(product);
  InstallerOutcome outcome = RunInstaller("", {{Ok()}, {Ok()}});
  EXPECT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.shown.size(), 2u);
  EXPECT_EQ(outcome.shown[0].prompt, kBookmarkPrompt);
  EXPECT_EQ(outcome.shown[0].prefill, ProfileDirRoot());
  EXPECT_EQ(outcome.shown[1].prompt, kProductPrompt);
  EXPECT_EQ(outcome.shown[1].prefill, product);
  ExpectSpliced(product);
}

TEST_F(InstallerEndToEndTest, CancellingEitherDialogTouchesNoFile) {
  RegisterProfile();
  RegisterBasePath(product);
  struct Row {
    const char* label;
    std::vector<DialogScript> scripts;
    size_t shown;
  } rows[] = {
      {"first closed", {{Close()}, {Ok()}}, 1},
      {"first escaped", {{Escape()}, {Ok()}}, 1},
      {"second closed", {{Ok()}, {Close()}}, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    InstallerOutcome outcome = RunInstaller("", row.scripts);
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.shown.size(), row.shown);
    ExpectUntouched();
  }
}

TEST_F(InstallerEndToEndTest, OkOnEmptyBookmarkFieldGoesOnToProductDialog) {
  // No registry entries: the field is empty, yet OK gives "\bookmark.htm".
  InstallerOutcome outcome = RunInstaller("", {{Ok()}, {Close()}});
  EXPECT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.shown.size(), 2u);
  EXPECT_EQ(outcome.shown[0].prefill, "");
  EXPECT_EQ(outcome.shown[1].prompt, kProductPrompt);
  ExpectUntouched();
}

TEST_F(InstallerEndToEndTest, BareProductNameEndsWithoutSplicing) {
  InstallerOutcome outcome = RunInstaller(bookmark, {{Type("Quillary")}});
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(outcome.shown.size(), 1u);
  ExpectUntouched();
}

TEST_F(InstallerEndToEndTest, TypedPathsAndBrowsedFileAreUsed) {
  // The bookmark file is chosen in the file-open dialog, the product typed.
  InstallerOutcome outcome = RunInstaller(
      "", {{UserAction{UserAction::kBrowse, profile + "Bookmark.htm"}, Ok()}, {Type(product)}});
  EXPECT_TRUE(outcome.ended);
  ASSERT_EQ(outcome.shown.size(), 2u);
  EXPECT_EQ(outcome.shown[0].fileName, "Bookmark.htm");
  ExpectSpliced(product);
}

}  // namespace
