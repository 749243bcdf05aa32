// The installer's command line: the bookmark path up to the first blank,
// the product directory after it.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "installer/CommandLine.h"
#include "installer/InstallerApp.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using splicer_test::Separator;

struct CommandLineCase {
  const char* name;
  std::string line;  // "|" stands for the target's directory separator
  std::string bookmarkPath;
  std::string productDir;  // after the splicer completed it
};

// Names the case in test listings (instead of the bytes of the row).
void PrintTo(const CommandLineCase& row, std::ostream* out) { *out << row.name; }

std::string WithSeparators(std::string text) {
  for (char& c : text) {
    if (c == '|') c = Separator();
  }
  return text;
}

const CommandLineCase kCases[] = {
    {"blank_inside_product_dir", "D:|N|bookmark.htm D:|Program Files|Q|", "D:|N|bookmark.htm",
     "D:|Program Files|Q|"},
    {"two_blanks_begin_product_dir_with_blank", "a|b.htm  |Q|", "a|b.htm", " |Q|"},
    {"trailing_blank_belongs_to_product_dir", "a.htm |Q| ", "a.htm", "|Q| |"},
    {"tab_does_not_split", "a\tb.htm |Q|", "a\tb.htm", "|Q|"},
    {"quotes_after_the_first_character_are_copied", "a\"b\".htm |Q\"|", "a\"b\".htm", "|Q\"|"},
    {"product_dir_in_quotes_loses_them", "a.htm \"|Program Files|Q|\"", "a.htm",
     "|Program Files|Q|"},
    {"bookmark_part_of_259_fits", std::string(259, 'b') + " |Q|", std::string(259, 'b'), "|Q|"},
    {"bookmark_part_of_260_refused", std::string(260, 'b') + " |Q|", "", ""},
    {"product_part_of_260_refused", "a.htm " + std::string(260, 'q'), "", ""},
};

// The paths are mostly relative, and the run looks for them, and for what
// earlier runs left, in the current directory: an empty one of the test's
// own, put back and removed whatever the outcome.
class CommandLineTest : public testing::TestWithParam<CommandLineCase> {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    work_ = splicer_test::FreshDirectory(std::string("command_line_") + GetParam().name);
    std::filesystem::current_path(work_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(work_, ignored);
    static_cast<InstallerApp*>(AfxGetApp())->m_lpCmdLine = nullptr;
  }

  std::filesystem::path previous_;
  std::string work_;
};

TEST_P(CommandLineTest, SplitsAtFirstBlank) {
  InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
  std::string line = WithSeparators(GetParam().line);
  app.m_lpCmdLine = &line[0];
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(std::string(app.bookmarkPath), WithSeparators(GetParam().bookmarkPath));
  EXPECT_EQ(std::string(app.productDir), WithSeparators(GetParam().productDir));
  // No bookmark file is there: the run wrote nothing.
  EXPECT_TRUE(splicer_test::FilesIn(work_).empty());
}

INSTANTIATE_TEST_SUITE_P(InitInstance, CommandLineTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CommandLineCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace

namespace {

struct RemovalLineCase {
  const char* name;
  std::string line;
  bool removal;
  std::string bookmarkPath;
  std::string productDir;
};

void PrintTo(const RemovalLineCase& row, std::ostream* out) { *out << row.name; }

#ifdef _WIN32
constexpr bool kSlashSwitch = true;
#else
constexpr bool kSlashSwitch = false;  // "/remove" is a path there
#endif

const RemovalLineCase kRemovalCases[] = {
    {"switch_and_path", "--remove D:|N|bookmark.htm", true, "D:|N|bookmark.htm", ""},
    {"path_with_blanks_whole", "--remove D:|My Files|bookmark.htm", true,
     "D:|My Files|bookmark.htm", ""},
    {"enclosing_quotes_dropped", "--remove \"D:|My Files|bookmark.htm\"", true,
     "D:|My Files|bookmark.htm", ""},
    {"inner_quotes_kept", "--remove a\"b\".htm", true, "a\"b\".htm", ""},
    {"lone_quote_kept", "--remove \"", true, "\"", ""},
    {"second_blank_belongs_to_path", "--remove  a.htm", true, " a.htm", ""},
    {"switch_alone_asks", "--remove", true, "", ""},
    {"longer_word_is_a_path", "--removed a.htm", false, "--removed", "a.htm"},
    {"slash_switch", "/remove a.htm", kSlashSwitch, kSlashSwitch ? "a.htm" : "/remove",
     kSlashSwitch ? "" : "a.htm"},
};

class RemovalLineTest : public testing::TestWithParam<RemovalLineCase> {};

TEST_P(RemovalLineTest, SwitchTakesRestAsPath) {
  char bookmarkPath[MAX_PATH];
  char productDir[MAX_PATH];
  std::string line = WithSeparators(GetParam().line);
  installer::InstallerRequest request =
      installer::SplitCommandLine(line.c_str(), bookmarkPath, productDir);
  EXPECT_TRUE(request.usable);
  EXPECT_EQ(request.removal != FALSE, GetParam().removal);
  EXPECT_EQ(std::string(bookmarkPath), WithSeparators(GetParam().bookmarkPath));
  EXPECT_EQ(std::string(productDir), WithSeparators(GetParam().productDir));
}

INSTANTIATE_TEST_SUITE_P(SplitCommandLine, RemovalLineTest, testing::ValuesIn(kRemovalCases),
                         [](const testing::TestParamInfo<RemovalLineCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(RemovalLineTest, PathTooLongIsRefused) {
  char bookmarkPath[MAX_PATH];
  char productDir[MAX_PATH];
  std::string line = "--remove " + std::string(260, 'b');
  installer::InstallerRequest request =
      installer::SplitCommandLine(line.c_str(), bookmarkPath, productDir);
  EXPECT_FALSE(request.usable);
  EXPECT_EQ(std::string(bookmarkPath), "");
}

}  // namespace
