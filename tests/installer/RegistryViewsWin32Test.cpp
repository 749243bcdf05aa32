// Foldmint.exe run as a user on 64-bit Windows, where the browser and the
// product's setup, both 32-bit, wrote their keys in the registry's 32-bit
// view: both dialogs are prefilled from whichever view holds the keys, the
// 32-bit one first, and the splice uses what they showed.
#include <gtest/gtest.h>

#include <string>

#include "browser/BrowserInterface.h"
#include "installer/registry/ProductKeyReader.h"
#include "testing/RegistryScratch.h"
#include "tests/installer/InstallerRunner.h"
#include "tests/installer/InstallerTestSupport.h"

namespace {

using installer_test::FileBytes;
using installer_test::WithSeparators;

const std::string kUsersKey = browser::kUsersKey;

// What one view of the registry holds: a profile and a base path.
struct ViewKeys {
  std::string dirRoot;   // empty: no browser keys in this view
  std::string basePath;  // empty: no product key in this view
};

void Write(RegistryScratch* view, const ViewKeys& keys) {
  if (!keys.dirRoot.empty()) {
    ASSERT_TRUE(view->SetString(HKEY_LOCAL_MACHINE, kUsersKey, "CurrentUser", "ann"));
    ASSERT_TRUE(view->SetString(HKEY_LOCAL_MACHINE, kUsersKey + "\\ann", "DirRoot", keys.dirRoot));
  }
  if (!keys.basePath.empty()) {
    ASSERT_TRUE(view->SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path",
                                keys.basePath));
  }
}

TEST(RegistryViews, BothDialogsPrefillFromEitherViewThe32BitOneFirst) {
  // Two profiles, so that the splice shows which view's profile was used.
  std::string first = installer_test::FreshProfile("views_first");
  std::string second = installer_test::FreshProfile("views_second");
  std::string firstProduct = WithSeparators("|opt|Q32|");
  std::string secondProduct = WithSeparators("|opt|Q64|");
  auto dirRoot = [](const std::string& profile) { return profile.substr(0, profile.size() - 1); };

  struct Row {
    const char* label;
    ViewKeys view32;
    ViewKeys view64;
    std::string profile;  // the profile whose bookmark file gets the folder
    std::string product;
  } rows[] = {
      {"only in the 32-bit view", {dirRoot(first), firstProduct}, {}, first, firstProduct},
      {"only in the 64-bit view", {}, {dirRoot(second), secondProduct}, second, secondProduct},
      {"in both views: the 32-bit view's values win",
       {dirRoot(first), firstProduct},
       {dirRoot(second), secondProduct},
       first,
       firstProduct},
      {"browser in one view, product in the other",
       {dirRoot(first), ""},
       {"", secondProduct},
       first,
       secondProduct},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    first = installer_test::FreshProfile("views_first");
    second = installer_test::FreshProfile("views_second");
    RegistryScratch view32(KEY_WOW64_32KEY);
    RegistryScratch view64(KEY_WOW64_64KEY);
    Write(&view32, row.view32);
    Write(&view64, row.view64);

    UserAction ok{UserAction::kOk, ""};
    InstallerOutcome outcome = RunInstaller("", {{ok}, {ok}});
    EXPECT_TRUE(outcome.ended);
    ASSERT_EQ(outcome.shown.size(), 2u);
    EXPECT_EQ(outcome.shown[0].prefill, dirRoot(row.profile));
    EXPECT_EQ(outcome.shown[1].prefill, row.product);
    EXPECT_EQ(FileBytes(row.profile + "bookmark.htm"), installer_test::SplicedBookmarks(row.product));
    const std::string& other = row.profile == first ? second : first;
    EXPECT_EQ(FileBytes(other + "bookmark.htm"), installer_test::OriginalBookmarks());
  }
}

}  // namespace
