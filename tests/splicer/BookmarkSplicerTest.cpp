// The bookmark file after a splice, byte for byte, and what happens to the
// backup beside it.
#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

const std::vector<std::string> kSplicedFiles = {"bkmk.qyr", "bookmark.htm", "prefs.js"};

struct OutputCase {
  const char* name;
  const char* bookmark;  // data file put in place as bookmark.htm; null: none
  const char* backup;    // data file put in place as bkmk.qyr; null: none
  const char* prefs;     // data file put in place as prefs.js; null: none
  const char* expected;  // expected/<file> for bookmark.htm
  bool productDirWithoutSeparator;
};

// Names the case in test listings (instead of the bytes of the row).
void PrintTo(const OutputCase& row, std::ostream* out) { *out << row.name; }

// The base bookmark file has blank lines after its first list, a link
// "Daily News" before the folders "Personal Toolbar Folder", "Work" and
// "News", the title "Bookmarks for Ann Example", "Weather Today" in the last
// list, and "SAVE.QYV" in capitals (not the marker).
const OutputCase kOutputCases[] = {
    {"toolbar_folder_named_in_prefs", "bookmark.htm", nullptr, "prefs-work.js", "work.htm", false},
    {"product_dir_without_separator", "bookmark.htm", nullptr, "prefs-work.js", "work.htm", true},
    {"no_prefs_makes_new_toolbar_folder", "bookmark.htm", nullptr, nullptr, "new-ptf.htm", false},
    {"has_toolbar_folder_key_makes_new_folder", "bookmark.htm", nullptr, "prefs-has-flag.js",
     "new-ptf.htm", false},
    {"neither_key_finds_default_folder", "bookmark.htm", nullptr, "prefs-neither.js",
     "default-found.htm", false},
    {"neither_key_default_absent_no_line_end", "noeol.htm", nullptr, "prefs-neither.js",
     "noeol.htm", false},
    {"name_first_in_link_title", "bookmark.htm", nullptr, "prefs-news.js", "news.htm", false},
    {"name_first_before_first_list", "bookmark.htm", nullptr, "prefs-title.js", "title.htm", false},
    {"value_of_two_quotes", "bookmark.htm", nullptr, "prefs-two-quotes.js", "two-quotes.htm",
     false},
    {"name_without_list_after_it", "bookmark.htm", nullptr, "prefs-weather.js", "weather.htm",
     false},
    {"toolbar_list_without_line_end", "noeol-toolbar.htm", nullptr, "prefs-work.js",
     "noeol-toolbar.htm", false},
    {"no_list_at_all", "nolist.htm", nullptr, "prefs-work.js", "nolist.htm", false},
    {"unterminated_value_default_name", "bookmark.htm", nullptr, "prefs-unterminated.js",
     "default-found.htm", false},
    {"key_without_blank_default_name", "bookmark.htm", nullptr, "prefs-no-blank.js",
     "default-found.htm", false},
    {"value_of_1023_characters_fits", "bookmark.htm", nullptr, "prefs-1023.js", "long-name.htm",
     false},
    {"value_of_1024_characters_default_name", "bookmark.htm", nullptr, "prefs-1024.js",
     "default-found.htm", false},
    {"prefs_text_ends_at_its_nul", "bookmark.htm", nullptr, "prefs-nul-then-flag.js", "work.htm",
     false},
    {"nul_byte_keeps_all_text", "with-nul-byte.htm", nullptr, "prefs-work.js", "with-nul-byte.htm",
     false},
    {"byte_order_mark_kept", "bom.htm", nullptr, "prefs-work.js", "bom.htm", false},
    {"earlier_backup_not_spliced_over_newer", "bookmark.htm", "old-bookmark.htm", "prefs-work.js",
     "work.htm", false},
    {"earlier_backup_holding_removed_folder", "bookmark.htm", "installed-old.htm", "prefs-work.js",
     "work.htm", false},
    {"no_bookmark_file_backup_spliced", nullptr, "bookmark.htm", "prefs-work.js", "work.htm",
     false},
};

class OutputCaseTest : public testing::TestWithParam<OutputCase> {};

TEST_P(OutputCaseTest, BookmarkFileAndBackup) {
  const OutputCase& row = GetParam();
  std::string dir = FreshDirectory(row.name);
  if (row.bookmark) PutFile(dir + "bookmark.htm", Data(row.bookmark));
  if (row.backup) PutFile(dir + "bkmk.qyr", Data(row.backup));
  if (row.prefs) PutFile(dir + "prefs.js", Data(row.prefs));
  std::string productDir = ProductDir();
  if (row.productDirWithoutSeparator) productDir.pop_back();

  RunSplicer(dir + "bookmark.htm", productDir);

  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected(row.expected));
  // An existing backup stays as it was; a new one is the file before the splice.
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), Data(row.backup ? row.backup : row.bookmark));
  std::vector<std::string> files = {"bkmk.qyr", "bookmark.htm"};
  if (row.prefs) files.push_back("prefs.js");
  EXPECT_EQ(FilesIn(dir), files) << "a temporary file was left behind";
  EXPECT_EQ(AppProductDir(), ProductDir());
}

INSTANTIATE_TEST_SUITE_P(Splice, OutputCaseTest, testing::ValuesIn(kOutputCases),
                         [](const testing::TestParamInfo<OutputCase>& info) {
                           return std::string(info.param.name);
                         });

// Puts the base bookmark file and prefs naming "Work" into a fresh directory.
std::string BaseCase(const std::string& name) {
  std::string dir = FreshDirectory(name);
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
  return dir;
}

TEST(Splice, SecondRunChangesNothing) {
  std::string dir = BaseCase("second_run");
  RunSplicer(dir + "bookmark.htm", ProductDir());
  RunSplicer(dir + "bookmark.htm", ProductDir());
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), kSplicedFiles);
}

TEST(Splice, InstalledFolderWithoutBackupOnlyMakesBackup) {
  std::string dir = FreshDirectory("installed_no_backup");
  std::string installed = Expected("work.htm");
  PutFile(dir + "bookmark.htm", installed);
  RunSplicer(dir + "bookmark.htm", ProductDir());
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), installed);
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), installed);
}

TEST(Splice, NeitherBookmarkFileNorBackupCreatesNothing) {
  std::string dir = FreshDirectory("nothing_there");
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
  RunSplicer(dir + "bookmark.htm", ProductDir());
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"prefs.js"});
}

TEST(Splice, DoubledRootIsRepairedBeforeAnythingElse) {
  std::string dir = BaseCase("doubled_root");
#ifdef _WIN32
  // Z:\work\... given as Z:\:\work\...
  std::string given = dir.substr(0, 2) + "\\:" + dir.substr(2) + "bookmark.htm";
  std::string repaired = dir + "bookmark.htm";
  RunSplicer(given, ProductDir());
#else
  // With no drives the repair shows on a relative path: d\:/ loses "d\".
  std::string repairedDir = dir + ":/";
  std::filesystem::create_directories(repairedDir);
  PutFile(repairedDir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(repairedDir + "prefs.js", Data("prefs-work.js"));
  std::filesystem::create_directories(dir + "d\\:");
  PutFile(dir + "d\\:/bookmark.htm", Data("bookmark.htm"));
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  RunSplicer("d\\:/bookmark.htm", ProductDir());
  std::filesystem::current_path(before);
  std::string repaired = ":/bookmark.htm";
  EXPECT_EQ(FileBytes(dir + "d\\:/bookmark.htm"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir + "d\\:"), std::vector<std::string>{"bookmark.htm"});
  dir = repairedDir;
#endif
  EXPECT_EQ(AppBookmarkPath(), repaired);
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), Data("bookmark.htm"));
}

// Paths that do not fit their buffers change nothing at all.
TEST(Splice, ProductDirWithoutRoomForSeparatorChangesNothing) {
  std::string dir = BaseCase("product_dir_full");
  RunSplicer(dir + "bookmark.htm", std::string(259, 'q'));
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"bookmark.htm", "prefs.js"}));
}

TEST(Splice, BackupPathTooLongChangesNothing) {
  std::string base = FreshDirectory("backup_path_long");
  // The bookmark path takes 258 characters, its backup path would take 261.
  std::string dir = base + std::string(258 - base.size() - 6, 'd') + Separator();
  std::filesystem::create_directories(dir);
  std::string bookmark = dir + "b.htm";
  ASSERT_EQ(bookmark.size(), 258u);
  PutFile(bookmark, Data("bookmark.htm"));
  RunSplicer(bookmark, ProductDir());
  EXPECT_EQ(FileBytes(bookmark), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"b.htm"});
}

}  // namespace
