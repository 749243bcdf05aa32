// The two path dialogs run for real in this process (under Windows answered
// by the dialog driver, natively at the terminal prompts): what they show,
// and what they store in the application's buffers.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "browser/BrowserInterface.h"
#include "framework/FileDialog.h"
#include "installer/dialogs/BookmarkPathDialog.h"
#include "installer/InstallerApp.h"
#include "installer/registry/ProductKeyReader.h"
#include "installer/dialogs/ProductPathDialog.h"
#include "testing/RegistryScratch.h"
#include "tests/installer/InstallerTestSupport.h"
#include "tests/installer/ModalRun.h"

namespace {

using installer_test::WithSeparators;

const char kUntouched[] = "untouched";
const std::string kUsersKey = browser::kUsersKey;

InstallerApp& App() { return *static_cast<InstallerApp*>(AfxGetApp()); }

UserAction Ok() { return UserAction{UserAction::kOk, ""}; }
UserAction Type(const std::string& text) { return UserAction{UserAction::kTypeAndOk, text}; }
UserAction Browse(const std::string& file) { return UserAction{UserAction::kBrowse, file}; }
UserAction Close() { return UserAction{UserAction::kCloseBox, ""}; }

template <typename Dialog>
ModalOutcome RunDialog(const DialogScript& script) {
  return RunModal(
      [] {
        Dialog dialog(nullptr);
        return dialog.DoModal();
      },
      {script});
}

class PathDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    std::strcpy(App().bookmarkPath, kUntouched);
    std::strcpy(App().productDir, kUntouched);
  }
};

TEST_F(PathDialogTest, BookmarkFieldShowsProfileDirectoryFromRegistry) {
  struct Row {
    const char* label;
    std::string currentUser;  // "-": no such value
    const char* profileKey;   // the user whose key holds DirRoot; "": the
                              // users key itself; null: none
    std::string dirRoot;
    std::string shown;
  } rows[] = {
      {"both values", "ann", "ann", "D:|Profiles|ann", "D:|Profiles|ann"},
      {"no current user", "-", "ann", "D:|Profiles|ann", ""},
      {"current user without a key", "bob", "ann", "D:|Profiles|ann", ""},
      {"nothing in the registry", "-", nullptr, "", ""},
      // Without a name the key path ends in a lone separator: the users key.
      {"no current user, DirRoot beside it", "-", "", "D:|All", "D:|All"},
      {"a name too long for the key path counts as none", std::string(1000, 'n'), "", "D:|All",
       "D:|All"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RegistryScratch registry{installer_test::kUsersRegistryView};
    if (row.currentUser != "-") {
      ASSERT_TRUE(
          registry.SetString(HKEY_LOCAL_MACHINE, kUsersKey, "CurrentUser", row.currentUser));
    }
    if (row.profileKey != nullptr) {
      std::string key = *row.profileKey != '\0' ? kUsersKey + "\\" + row.profileKey : kUsersKey;
      ASSERT_TRUE(
          registry.SetString(HKEY_LOCAL_MACHINE, key, "DirRoot", WithSeparators(row.dirRoot)));
    }
    ModalOutcome outcome = RunDialog<BookmarkPathDialog>({Close()});
    ASSERT_EQ(outcome.shown.size(), 1u);
    EXPECT_EQ(outcome.shown[0].prompt, "Enter the path for your Bookmark.htm file");
    EXPECT_EQ(outcome.shown[0].prefill, WithSeparators(row.shown));
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_STREQ(App().bookmarkPath, kUntouched);
  }
}

TEST_F(PathDialogTest, ProductFieldShowsBasePathWithFinalSeparator) {
  struct Row {
    const char* label;
    const char* basePath;  // null: no such value
    std::string shown;
  } rows[] = {
      {"without a final separator", "D:|Q", "D:|Q|"},
      {"with one", "D:|Q|", "D:|Q|"},
      {"empty", "", ""},
      {"missing", nullptr, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RegistryScratch registry{installer_test::kUsersRegistryView};
    ASSERT_TRUE(registry.CreateKey(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath));
    if (row.basePath != nullptr) {
      ASSERT_TRUE(registry.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path",
                                     WithSeparators(row.basePath)));
    }
    ModalOutcome outcome = RunDialog<ProductPathDialog>({Close()});
    ASSERT_EQ(outcome.shown.size(), 1u);
    EXPECT_EQ(outcome.shown[0].prompt, "Enter the path to Quillary");
    EXPECT_EQ(outcome.shown[0].prefill, WithSeparators(row.shown));
    EXPECT_STREQ(App().productDir, kUntouched);
  }
}

struct OkRow {
  const char* label;
  std::string field;
  std::string stored;  // null text: nothing stored, the dialog stays open
  bool refused;
};

TEST_F(PathDialogTest, BookmarkOkTakesFieldAsDirectoryOfBookmarkFile) {
  const std::string longest(246, 'a');  // with "|bookmark.htm", 259 characters
  const OkRow rows[] = {
      {"directory", "D:|N", "D:|N|bookmark.htm", false},
      {"directory with separator", "D:|N|", "D:|N|bookmark.htm", false},
      {"empty field", "", "|bookmark.htm", false},
      {"relative name", "N", "N|bookmark.htm", false},
      {"longest that fits", longest, longest + "|bookmark.htm", false},
      {"one too long", longest + "a", "", true},
      {"far too long", std::string(300, 'a'), "", true},
  };
  RegistryScratch registry{installer_test::kUsersRegistryView};  // empty: the field starts empty
  for (const OkRow& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    // A refused OK leaves the dialog open; the user then closes it.
    ModalOutcome outcome =
        RunDialog<BookmarkPathDialog>({Type(WithSeparators(row.field)), Close()});
    EXPECT_EQ(outcome.result, row.refused ? IDCANCEL : IDOK);
    EXPECT_EQ(std::string(App().bookmarkPath),
              row.refused ? kUntouched : WithSeparators(row.stored));
  }
}

TEST_F(PathDialogTest, ProductOkKeepsDriveAndDirectoryOfField) {
  // The directory part of a split holds at most 255 characters.
  const std::string longest = "D:|" + std::string(253, 'q') + "|";
  const OkRow rows[] = {
      {"file in directory", "D:|Q|Add.htm", "D:|Q|", false},
      {"directory with separator", "D:|Q|", "D:|Q|", false},
      {"last part is a file name", "D:|Q", "D:|", false},
      {"bare name", "Quillary", "", false},
      {"longest directory", longest, longest, false},
      {"directory too long to split", "D:|" + std::string(254, 'q') + "|", "", true},
      {"too long for the buffer", std::string(260, 'q'), "", true},
  };
  RegistryScratch registry{installer_test::kUsersRegistryView};
  for (const OkRow& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    ModalOutcome outcome = RunDialog<ProductPathDialog>({Type(WithSeparators(row.field)), Close()});
    EXPECT_EQ(outcome.result, row.refused ? IDCANCEL : IDOK);
    EXPECT_EQ(std::string(App().productDir), row.refused ? kUntouched : WithSeparators(row.stored));
  }
}

TEST_F(PathDialogTest, BrowsedFileGivesBookmarkDirectory) {
  RegistryScratch registry{installer_test::kUsersRegistryView};
  std::string directory = installer_test::FreshDirectory("browse_bookmark");
  ModalOutcome outcome = RunDialog<BookmarkPathDialog>({Browse(directory + "Other.htm"), Ok()});
  ASSERT_EQ(outcome.shown.size(), 1u);
  EXPECT_EQ(outcome.shown[0].fileName, "Bookmark.htm");
  EXPECT_EQ(outcome.shown[0].filter, "*.htm");
  EXPECT_EQ(outcome.result, IDOK);
  EXPECT_EQ(std::string(App().bookmarkPath), directory + "bookmark.htm");
}

TEST_F(PathDialogTest, BrowsedFileGivesProductDirectory) {
  RegistryScratch registry{installer_test::kUsersRegistryView};
  std::string directory = installer_test::FreshDirectory("browse_product");
  ModalOutcome outcome = RunDialog<ProductPathDialog>({Browse(directory + "Add.htm"), Ok()});
  ASSERT_EQ(outcome.shown.size(), 1u);
  EXPECT_EQ(outcome.shown[0].fileName, "Add.htm");
  EXPECT_EQ(outcome.shown[0].filter, "*.htm");
  EXPECT_EQ(outcome.result, IDOK);
  EXPECT_EQ(std::string(App().productDir), directory);
}

TEST_F(PathDialogTest, BrowseWithoutExtensionGetsDefaultOne) {
  RegistryScratch registry{installer_test::kUsersRegistryView};
  std::string directory = installer_test::FreshDirectory("browse_extension");
  ModalOutcome outcome = RunDialog<ProductPathDialog>({Browse(directory + "Add"), Ok()});
  EXPECT_EQ(outcome.result, IDOK);
  EXPECT_EQ(std::string(App().productDir), directory);
}

TEST_F(PathDialogTest, CancelledBrowseLeavesFieldAsItWas) {
  RegistryScratch registry{installer_test::kUsersRegistryView};
  ASSERT_TRUE(registry.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path",
                                 WithSeparators("D:|Q")));
  ModalOutcome outcome =
      RunDialog<ProductPathDialog>({UserAction{UserAction::kBrowseCancel, ""}, Ok()});
  ASSERT_EQ(outcome.shown.size(), 1u);
  if (EndsInput(UserAction::kBrowseCancel)) {
    // At a terminal the end of input that cancels the one cancels the other.
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_STREQ(App().productDir, kUntouched);
  } else {
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(std::string(App().productDir), WithSeparators("D:|Q|"));
  }
}

TEST_F(PathDialogTest, CloseBoxAndEscapeCancelStoringNothing) {
  RegistryScratch registry{installer_test::kUsersRegistryView};
  ASSERT_TRUE(registry.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path",
                                 WithSeparators("D:|Q")));
  for (UserAction::Kind kind : {UserAction::kCloseBox, UserAction::kEscape}) {
    SCOPED_TRACE(kind == UserAction::kCloseBox ? "close box" : "escape");
    ModalOutcome bookmark = RunDialog<BookmarkPathDialog>({UserAction{kind, ""}});
    ModalOutcome product = RunDialog<ProductPathDialog>({UserAction{kind, ""}});
    EXPECT_EQ(bookmark.result, IDCANCEL);
    EXPECT_EQ(product.result, IDCANCEL);
    EXPECT_STREQ(App().bookmarkPath, kUntouched);
    EXPECT_STREQ(App().productDir, kUntouched);
  }
}

#ifdef _WIN32
// A dialog that no script answers would hold the test until CTest's
// time-out; instead it is cancelled after a grace period and the test fails.
TEST_F(PathDialogTest, ADialogNoScriptAnswersIsCancelledAndReported) {
  ModalOutcome outcome;
  EXPECT_NONFATAL_FAILURE(outcome = RunModal(
                              [] {
                                BookmarkPathDialog dialog(nullptr);
                                return dialog.DoModal();
                              },
                              {}),
                          "1 dialog(s) still up");
  EXPECT_EQ(outcome.result, IDCANCEL);
  EXPECT_STREQ(App().bookmarkPath, kUntouched);
}
#endif

TEST_F(PathDialogTest, StartUpAsksForBothPathsInTurn) {
  struct Row {
    const char* label;
    std::vector<DialogScript> scripts;
    size_t dialogsShown;
    std::string bookmarkPath;
    std::string productDir;
  } rows[] = {
      // An empty field still gives a path, so the run goes on.
      {"OK on empty fields", {{Ok()}, {Close()}}, 2, "|bookmark.htm", ""},
      {"first cancelled", {{Close()}, {Ok()}}, 1, "", ""},
      {"bare product name", {{Type("D:|N")}, {Type("Quillary")}}, 2, "D:|N|bookmark.htm", ""},
  };
  RegistryScratch registry{installer_test::kUsersRegistryView};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string line;
    App().m_lpCmdLine = &line[0];
    std::vector<DialogScript> scripts = row.scripts;
    for (DialogScript& script : scripts) {
      for (UserAction& action : script) action.text = WithSeparators(action.text);
    }
    ModalOutcome outcome = RunModal([] { return App().InitInstance(); }, scripts);
    App().m_lpCmdLine = nullptr;
    EXPECT_EQ(outcome.result, FALSE);
    EXPECT_EQ(outcome.shown.size(), row.dialogsShown);
    EXPECT_EQ(std::string(App().bookmarkPath), WithSeparators(row.bookmarkPath));
    EXPECT_EQ(std::string(App().productDir), WithSeparators(row.productDir));
  }
}

TEST(FileDialogFilterTest, PairsEndedByTwoBars) {
  struct Row {
    const char* label;
    const char* filter;
    std::string pairs;  // as the system dialog takes them
  } rows[] = {
      {"lone pattern", "*.htm||", std::string("*.htm\0*.htm\0\0", 13)},
      {"two pairs", "Pages|*.htm|All|*.*||", std::string("Pages\0*.htm\0All\0*.*\0\0", 21)},
      {"no closing bars", "Pages|*.htm", std::string("Pages\0*.htm\0\0", 13)},
      {"empty", "", ""},
      {"none", nullptr, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CFileDialog dialog(TRUE, "htm", "Bookmark.htm", OFN_HIDEREADONLY, row.filter, nullptr);
    EXPECT_EQ(dialog.m_strFilter, row.pairs);
    EXPECT_STREQ(dialog.GetPathName(), "Bookmark.htm");
  }
}

}  // namespace
