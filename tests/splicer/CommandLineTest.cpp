// The installer's command line: the bookmark path up to the first blank,
// the product directory after it.
#include <gtest/gtest.h>

#include <ostream>

#include <string>

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
    {"quotes_are_copied", "\"a.htm\" \"|Q|\"", "\"a.htm\"", "\"|Q|\"|"},
    {"bookmark_part_of_259_fits", std::string(259, 'b') + " |Q|", std::string(259, 'b'), "|Q|"},
    {"bookmark_part_of_260_refused", std::string(260, 'b') + " |Q|", "", ""},
    {"product_part_of_260_refused", "a.htm " + std::string(260, 'q'), "", ""},
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, SplitsAtFirstBlank) {
  InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
  std::string line = WithSeparators(GetParam().line);
  app.m_lpCmdLine = &line[0];
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(std::string(app.bookmarkPath), WithSeparators(GetParam().bookmarkPath));
  EXPECT_EQ(std::string(app.productDir), WithSeparators(GetParam().productDir));
  app.m_lpCmdLine = nullptr;
}

INSTANTIATE_TEST_SUITE_P(InitInstance, CommandLineTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CommandLineCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
