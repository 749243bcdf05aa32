// The removal run on files through the program's application object: what
// becomes of the bookmark file, how the run ends, and that the backup
// beside it is never touched.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "installer/InstallerApp.h"
#include "platform/Win32Api.h"
#include "tests/splicer/RemoveTestSupport.h"
#include "tests/splicer/SplicerTestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using namespace splicer_test;
namespace fs = std::filesystem;

InstallerApp& App() { return *static_cast<InstallerApp*>(AfxGetApp()); }

const std::string kBackup = "the text from before the first install\r\n";

void SetReadOnly(const std::string& path, bool readOnly) {
#ifdef _WIN32
  ASSERT_TRUE(
      SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
#else
  ASSERT_EQ(chmod(path.c_str(), readOnly ? 0444 : 0644), 0);
#endif
}

// A file written long ago: a rewrite would show as a new time.
void MakeOld(const std::string& path) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365));
}

struct FileCase {
  const char* name;
  std::optional<std::string> bookmark;  // none: no bookmark file
  bool backup;                          // kBackup beside it as bkmk.qyr
  bool readOnly;
  std::optional<std::string> after;  // the bookmark file after the run
  InstallOutcome outcome;
  bool rewritten;
};

void PrintTo(const FileCase& row, std::ostream* out) { *out << row.name; }

std::vector<FileCase> FileCases() {
  std::string original = Data("bookmark.htm");
  std::string installed = Expected("work.htm");
  std::string leftAlone = Data("remove/left-alone.htm");
  return {
      {"installed", installed, true, false, original, InstallOutcome::kDone, true},
      {"installed_without_backup", installed, false, false, original, InstallOutcome::kDone, true},
      {"rewritten_by_browser", Data("remove/mozilla.htm"), true, false,
       Data("remove/expected-mozilla.htm"), InstallOutcome::kDone, true},
      {"folders_left_alone", leftAlone, true, false, Data("remove/expected-left-alone.htm"),
       InstallOutcome::kLeftAlone, true},
      {"nothing_to_take_out", original, true, false, original, InstallOutcome::kDone, false},
      {"only_left_alone_folders", Data("remove/expected-left-alone.htm"), true, false,
       Data("remove/expected-left-alone.htm"), InstallOutcome::kLeftAlone, false},
      {"read_only_installed", installed, true, true, installed, InstallOutcome::kUnwritable, false},
      {"read_only_nothing_to_take_out", original, true, true, original, InstallOutcome::kDone,
       false},
      {"no_bookmark_file", std::nullopt, true, false, std::nullopt, InstallOutcome::kUnreadable,
       false},
      {"empty_file", std::string(), false, false, std::string(), InstallOutcome::kDone, false},
  };
}

class RemoveFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(RemoveFileTest, BookmarkFileOutcomeAndBackup) {
  const FileCase& row = GetParam();
  std::string dir = FreshDirectory(std::string("remove_file_") + row.name);
  std::string bookmark = dir + "bookmark.htm";
  if (row.bookmark) {
    PutFile(bookmark, *row.bookmark);
    MakeOld(bookmark);
  }
  if (row.backup) PutFile(dir + "bkmk.qyr", kBackup);
  if (row.readOnly) SetReadOnly(bookmark, true);
  auto before = row.bookmark ? fs::last_write_time(bookmark) : fs::file_time_type();

  RunRemover(bookmark);
  if (row.readOnly) SetReadOnly(bookmark, false);

  EXPECT_EQ(App().outcome, row.outcome);
  EXPECT_EQ(FileBytes(bookmark), row.after);
  if (row.bookmark) {
    EXPECT_EQ(fs::last_write_time(bookmark) != before, row.rewritten);
  }
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"),
            row.backup ? std::optional<std::string>(kBackup) : std::nullopt);
  std::vector<std::string> files;
  if (row.backup) files.push_back("bkmk.qyr");
  if (row.bookmark) files.push_back("bookmark.htm");
  EXPECT_EQ(FilesIn(dir), files) << "a file was made or left behind";
}

INSTANTIATE_TEST_SUITE_P(Remove, RemoveFileTest, testing::ValuesIn(FileCases()),
                         [](const testing::TestParamInfo<FileCase>& info) {
                           return std::string(info.param.name);
                         });

// Splice, removal, removal again, splice again: the backup is the first
// splice's throughout, and the second splice works on the file as it is.
TEST(RemoveFile, InstallRemoveRemoveInstall) {
  std::string dir = FreshDirectory("remove_file_cycle");
  std::string bookmark = dir + "bookmark.htm";
  PutFile(bookmark, Data("bookmark.htm"));
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
  RunSplicer(bookmark, ProductDir());
  ASSERT_EQ(FileBytes(bookmark), Expected("work.htm"));

  RunRemover(bookmark);
  EXPECT_EQ(FileBytes(bookmark), Data("bookmark.htm"));
  MakeOld(bookmark);
  auto removedAt = fs::last_write_time(bookmark);
  RunRemover(bookmark);
  EXPECT_EQ(App().outcome, InstallOutcome::kDone);
  EXPECT_EQ(fs::last_write_time(bookmark), removedAt) << "a second removal rewrote the file";

  RunSplicer(bookmark, ProductDir());
  EXPECT_EQ(FileBytes(bookmark), Expected("work.htm"));
  EXPECT_EQ(FileBytes(dir + "bkmk.qyr"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"bkmk.qyr", "bookmark.htm", "prefs.js"}));
}

// The root given twice is repaired as the splice repairs it, so that the
// removal finds the file the splice wrote.
TEST(RemoveFile, DoubledRootIsRepaired) {
  std::string dir = FreshDirectory("remove_file_doubled_root");
#ifdef _WIN32
  std::string given = dir.substr(0, 2) + "\\:" + dir.substr(2) + "bookmark.htm";
  std::string repaired = dir + "bookmark.htm";
#else
  // With no drives the repair shows on a relative path: d\:/ loses "d\".
  fs::path before = fs::current_path();
  fs::current_path(dir);
  fs::create_directories(":");
  fs::create_directories("d\\:");
  std::string given = "d\\:/bookmark.htm";
  std::string repaired = ":/bookmark.htm";
  PutFile(given, Data("bookmark.htm"));
#endif
  PutFile(repaired, Expected("work.htm"));
  RunRemover(given);
  EXPECT_EQ(App().bookmarkPath, repaired);
  EXPECT_EQ(FileBytes(repaired), Data("bookmark.htm"));
#ifndef _WIN32
  EXPECT_EQ(FileBytes(given), Data("bookmark.htm"));
  fs::current_path(before);
#endif
}

// What an interrupted run left beside the file goes with the next removal.
TEST(RemoveFile, StaleTemporaryFileGoes) {
  std::string dir = FreshDirectory("remove_file_stale");
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(dir + "bkmk-0.qyn", "half a text");
  MakeOld(dir + "bkmk-0.qyn");
  RunRemover(dir + "bookmark.htm");
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"bookmark.htm"});
}

#ifdef _WIN32
// As a running browser may hold it: nothing changes, and the run says so.
TEST(RemoveFile, FileHeldOpenWithoutDeleteSharingStaysAsItWas) {
  std::string dir = FreshDirectory("remove_file_held");
  std::string bookmark = dir + "bookmark.htm";
  PutFile(bookmark, Expected("work.htm"));
  HANDLE held = CreateFileA(bookmark.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RunRemover(bookmark);
  CloseHandle(held);
  EXPECT_EQ(App().outcome, InstallOutcome::kUnwritable);
  EXPECT_EQ(FileBytes(bookmark), Expected("work.htm"));
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"bookmark.htm"});
}
#else
TEST(RemoveFile, KeepsPermissionBits) {
  std::string dir = FreshDirectory("remove_file_permission_bits");
  PutFile(dir + "bookmark.htm", Expected("work.htm"));
  ASSERT_EQ(chmod((dir + "bookmark.htm").c_str(), 0640), 0);
  RunRemover(dir + "bookmark.htm");
  struct stat info;
  ASSERT_EQ(stat((dir + "bookmark.htm").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}
#endif

}  // namespace
