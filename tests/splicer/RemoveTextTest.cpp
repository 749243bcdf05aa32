// Taking the product's folder out of a bookmark text: the installer's own
// output gives back the text before it, byte for byte; rewritten files
// lose the product's folders and keep every other line; folders that are
// not the product's as it made them stay.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "installer/html/BookmarkRemoverText.h"
#include "tests/splicer/RemoveTestSupport.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using installer::html::RemovalResult;
using installer::shared::LeftAloneReason;
using splicer_test::Data;
using splicer_test::Expected;
using splicer_test::RemoveFromText;
using splicer_test::TextRemoval;

constexpr LeftAloneReason kOther = LeftAloneReason::kHoldsOtherEntries;
constexpr LeftAloneReason kLacks = LeftAloneReason::kLacksProductLink;
constexpr LeftAloneReason kNoList = LeftAloneReason::kNoList;

std::vector<std::pair<size_t, LeftAloneReason>> LeftAlone(const RemovalResult& result) {
  std::vector<std::pair<size_t, LeftAloneReason>> folders;
  for (const installer::html::LeftAloneFolder& folder : result.leftAlone) {
    folders.emplace_back(folder.line, folder.reason);
  }
  return folders;
}

// ---- The splice's outputs as they stand in the splice's own tests.

struct SplicedCase {
  const char* name;
  const char* before;   // data file the splice read
  const char* spliced;  // expected/<file> it wrote
  int folders;
  int toolbarFolders;
};

void PrintTo(const SplicedCase& row, std::ostream* out) { *out << row.name; }

const SplicedCase kSplicedCases[] = {
    {"toolbar_folder_named_in_prefs", "bookmark.htm", "work.htm", 2, 0},
    {"new_toolbar_folder_at_end", "bookmark.htm", "new-ptf.htm", 2, 1},
    {"default_toolbar_folder_found", "bookmark.htm", "default-found.htm", 2, 0},
    {"name_first_in_link_title", "bookmark.htm", "news.htm", 2, 0},
    {"second_copy_right_after_first", "bookmark.htm", "title.htm", 2, 0},
    {"value_of_two_quotes", "bookmark.htm", "two-quotes.htm", 2, 1},
    {"name_without_list_after_it", "bookmark.htm", "weather.htm", 2, 1},
    {"long_toolbar_name", "bookmark.htm", "long-name.htm", 2, 1},
    {"list_without_line_end_and_new_folder_mid_line", "noeol.htm", "noeol.htm", 2, 1},
    {"toolbar_list_without_line_end", "noeol-toolbar.htm", "noeol-toolbar.htm", 2, 0},
    {"no_list_at_all", "nolist.htm", "nolist.htm", 1, 0},
    {"nul_byte", "with-nul-byte.htm", "with-nul-byte.htm", 2, 0},
};

class SplicedOutputTest : public testing::TestWithParam<SplicedCase> {};

TEST_P(SplicedOutputTest, GivesBackTheTextBeforeTheSplice) {
  const SplicedCase& row = GetParam();
  TextRemoval result = RemoveFromText(Expected(row.spliced));
  EXPECT_EQ(result.text, Data(row.before));
  EXPECT_EQ(result.removedFolders, row.folders);
  EXPECT_EQ(result.removedToolbarFolders, row.toolbarFolders);
  EXPECT_TRUE(result.leftAlone.empty());
  EXPECT_TRUE(result.changed);
}

TEST_P(SplicedOutputTest, TextBeforeTheSpliceStaysAsItIs) {
  std::string before = Data(GetParam().before);
  TextRemoval result = RemoveFromText(before);
  EXPECT_EQ(result.text, before);
  EXPECT_FALSE(result.changed);
  EXPECT_EQ(result.removedFolders, 0);
}

INSTANTIATE_TEST_SUITE_P(Remove, SplicedOutputTest, testing::ValuesIn(kSplicedCases),
                         [](const testing::TestParamInfo<SplicedCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Files as browsers write them back.

struct RewrittenCase {
  const char* name;
  const char* file;  // remove/<file>, expected in remove/expected-<file>
  int folders;
  int toolbarFolders;
  std::vector<std::pair<size_t, LeftAloneReason>> leftAlone;
};

void PrintTo(const RewrittenCase& row, std::ostream* out) { *out << row.name; }

const RewrittenCase kRewrittenCases[] = {
    {"netscape_layout", "netscape.htm", 2, 0, {}},
    {"netscape_layout_made_toolbar_folder", "netscape-new-toolbar.htm", 2, 1, {}},
    {"mozilla_export_lf", "mozilla.htm", 2, 1, {}},
    {"lower_case_tags_mixed_line_ends", "lower-case.htm", 2, 0, {}},
    {"folder_on_last_line_without_line_end", "last-line.htm", 1, 0, {}},
    {"left_alone",
     "left-alone.htm",
     2,
     0,
     {{4, kOther},
      {11, kLacks},
      {16, kOther},
      {25, kOther},
      {32, kOther},
      {39, kNoList},
      {41, kOther},
      {66, kOther},
      {87, kOther}}},
};

class RewrittenTest : public testing::TestWithParam<RewrittenCase> {};

TEST_P(RewrittenTest, ProductFoldersGoEverythingElseStays) {
  const RewrittenCase& row = GetParam();
  TextRemoval result = RemoveFromText(Data(std::string("remove/") + row.file));
  EXPECT_EQ(result.text, Data(std::string("remove/expected-") + row.file));
  EXPECT_EQ(result.removedFolders, row.folders);
  EXPECT_EQ(result.removedToolbarFolders, row.toolbarFolders);
  EXPECT_EQ(LeftAlone(result), row.leftAlone);
  EXPECT_TRUE(result.changed);
}

TEST_P(RewrittenTest, SecondRemovalChangesNothing) {
  const RewrittenCase& row = GetParam();
  std::string once = RemoveFromText(Data(std::string("remove/") + row.file)).text;
  TextRemoval twice = RemoveFromText(once);
  EXPECT_EQ(twice.text, once);
  EXPECT_FALSE(twice.changed);
  EXPECT_EQ(twice.removedFolders, 0);
  EXPECT_EQ(twice.leftAlone.size(), row.leftAlone.size());
}

INSTANTIATE_TEST_SUITE_P(Remove, RewrittenTest, testing::ValuesIn(kRewrittenCases),
                         [](const testing::TestParamInfo<RewrittenCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- One folder at a time, between two lines that always stay.

struct LineCase {
  const char* name;
  std::string folder;
  bool goes;
};

void PrintTo(const LineCase& row, std::ostream* out) { *out << row.name; }

// A folder of the given lines, each ended by `lineEnd`.
std::string Lines(std::vector<std::string> lines, const std::string& lineEnd = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

const std::string kSave = "<DT><A HREF=\"file:///D:/Q/save.qyv\">Save</A>";
const std::string kQuick = "<DT><A HREF=\"file:///D:/Q/quick.kyv\">QuickSave</A>";
const std::string kSearch = "<DT><A HREF=\"file:///D:/Q/Quillary.htm\">Search</A>";
const std::string kHeader = "<DT><H3>Quillary</H3>";

std::string Folder(const std::vector<std::string>& links) {
  std::vector<std::string> lines = {kHeader, "<DL><p>"};
  lines.insert(lines.end(), links.begin(), links.end());
  lines.push_back("</DL><p>");
  return Lines(lines);
}

const LineCase kLineCases[] = {
    {"as_plain_as_can_be", Folder({kSave, kQuick, kSearch}), true},
    {"lists_without_p", Lines({kHeader, "<DL>", kSave, kQuick, kSearch, "</DL>"}), true},
    {"p_in_other_case_after_a_blank",
     Lines({kHeader, "<dl> <P>", kSave, kQuick, kSearch, "</Dl>\t<p>"}), true},
    {"blanks_and_tabs_around_lines",
     Lines({" \t<DT><H3 >Quillary</H3>\t", "\t<DL><p> ", "  " + kSave, kQuick + " ", kSearch,
            "</DL><p>  "}),
     true},
    {"blank_between_dt_and_tag",
     Folder({"<DT> <A HREF=\"file:///D:/Q/save.qyv\">Save</A>", kQuick, kSearch}), true},
    {"single_quoted_bare_and_spaced_values",
     Folder({"<DT><A HREF='file:///D:/Q/save.qyv'>Save</A>",
             "<DT><A HREF=file:///D:/Q/quick.kyv>QuickSave</A>",
             "<DT><A HREF = \"file:///D:/Q/Quillary.htm\" PRIVATE>Search</A>"}),
     true},
    {"greater_than_inside_a_quoted_value",
     Folder({"<DT><A ICON=\"data:a>b\" HREF=\"file:///D:/Q/save.qyv\">Save</A>", kQuick, kSearch}),
     true},
    {"scheme_in_upper_case_backslashes",
     Folder({"<DT><A HREF=\"FILE:///D:\\Q\\save.qyv\">Save</A>", kQuick, kSearch}), true},
    {"links_in_two_directories",
     Folder({kSave, kQuick, "<DT><A HREF=\"file:///D:/Other/Quillary.htm\">Search</A>"}), false},
    {"titles_of_its_own_any_order",
     Folder({"<DT><A HREF=\"file:///D:/Q/Quillary.htm\">Find</A>",
             "<DT><A HREF=\"file:///D:/Q/save.qyv\">Keep this page</A>", kQuick}),
     true},
    {"blank_lines_inside",
     Lines({kHeader, "", "<DL><p>", "", kSave, kQuick, "", kSearch, "</DL><p>"}), true},
    {"description_of_folder_and_links",
     Lines({kHeader, "<DD>The product", "<DL><p>", kSave, "<DD>Saves", kQuick, kSearch, "<DD>Finds",
            "</DL><p>"}),
     true},
    {"lf_line_ends", Lines({kHeader, "<DL><p>", kSave, kQuick, kSearch, "</DL><p>"}, "\n"), true},
    {"cr_line_ends", Lines({kHeader, "<DL><p>", kSave, kQuick, kSearch, "</DL><p>"}, "\r"), true},
    {"title_in_other_case",
     Lines({"<DT><H3>QUILLARY</H3>", "<DL><p>", kSave, kQuick, kSearch, "</DL><p>"}), false},
    {"title_with_blanks",
     Lines({"<DT><H3> Quillary</H3>", "<DL><p>", kSave, kQuick, kSearch, "</DL><p>"}), false},
    {"file_name_in_other_case",
     Folder({"<DT><A HREF=\"file:///D:/Q/SAVE.QYV\">Save</A>", kQuick, kSearch}), false},
    {"file_name_ending_a_longer_name",
     Folder({"<DT><A HREF=\"file:///D:/Q/mysave.qyv\">Save</A>", kQuick, kSearch}), false},
    {"web_address", Folder({"<DT><A HREF=\"http://q.example/save.qyv\">Save</A>", kQuick, kSearch}),
     false},
    {"address_with_query",
     Folder({"<DT><A HREF=\"file:///D:/Q/save.qyv?x\">Save</A>", kQuick, kSearch}), false},
    {"href_second_time_decides_nothing",
     Folder({"<DT><A HREF=\"http://q.example/\" HREF=\"file:///D:/Q/save.qyv\">Save</A>", kQuick,
             kSearch}),
     false},
    {"unterminated_quote",
     Folder({"<DT><A HREF=\"file:///D:/Q/save.qyv>Save</A>", kQuick, kSearch}), false},
    {"two_links_on_one_line", Folder({kSave + kQuick, kSearch}), false},
    {"header_and_list_on_one_line",
     Lines({kHeader + "<DL><p>", kSave, kQuick, kSearch, "</DL><p>"}), false},
    {"list_never_closed", Lines({kHeader, "<DL><p>", kSave, kQuick, kSearch}), false},
    {"something_between_header_and_list",
     Lines({kHeader, "<HR>", "<DL><p>", kSave, kQuick, kSearch, "</DL><p>"}), false},
    {"two_descriptions",
     Lines({kHeader, "<DL><p>", kSave, "<DD>a", "<DD>b", kQuick, kSearch, "</DL><p>"}), false},
};

class LineRuleTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineRuleTest, FolderGoesOrStays) {
  const LineCase& row = GetParam();
  const std::string before = "<DL><p>\r\n    <DT><A HREF=\"http://a.example/\">A</A>\r\n";
  const std::string after = "    <DT><A HREF=\"http://b.example/\">B</A>\r\n</DL><p>\r\n";
  TextRemoval result = RemoveFromText(before + row.folder + after);
  EXPECT_EQ(result.text, row.goes ? before + after : before + row.folder + after);
  EXPECT_EQ(result.removedFolders, row.goes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Remove, LineRuleTest, testing::ValuesIn(kLineCases),
                         [](const testing::TestParamInfo<LineCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Remove, FolderInsideLeftAloneFolderStillGoes) {
  std::string inner = Folder({kSave, kQuick, kSearch});
  std::string outer = Lines({"<DT><H3>Quillary</H3>", "<DL><p>"}) + inner +
                      Lines({"<DT><A HREF=\"http://mine.example/\">Mine</A>", "</DL><p>"});
  TextRemoval result = RemoveFromText("<DL><p>\r\n" + outer + "</DL><p>\r\n");
  EXPECT_EQ(result.text, "<DL><p>\r\n" +
                             Lines({"<DT><H3>Quillary</H3>", "<DL><p>",
                                    "<DT><A HREF=\"http://mine.example/\">Mine</A>", "</DL><p>"}) +
                             "</DL><p>\r\n");
  EXPECT_EQ(result.removedFolders, 1);
  EXPECT_EQ(LeftAlone(result), (std::vector<std::pair<size_t, LeftAloneReason>>{{2, kOther}}));
}

// A product folder that held only another product folder is the
// product's too, judged after the inner one went; so a second removal
// finds nothing left to do.
TEST(Remove, FolderHoldingOnlyAProductFolderGoesAtOnce) {
  std::string inner = Folder({kSave, kQuick, kSearch});
  std::string outer =
      Lines({kHeader, "<DL><p>", kSave}) + inner + Lines({kQuick, kSearch, "</DL><p>"});
  TextRemoval result = RemoveFromText("<DL><p>\r\n" + outer + "</DL><p>\r\n");
  EXPECT_EQ(result.text, "<DL><p>\r\n</DL><p>\r\n");
  EXPECT_EQ(result.removedFolders, 2);
}

// The installer's output cannot tell a list opening without any line end
// after it from one followed by CR LF and one last line without a line
// end: both splice to the same bytes, and removal gives back the first.
TEST(Remove, ListOpeningBeforeOneLastUnendedLineLosesItsLineEnd) {
  std::string spliced = Expected("noeol.htm");
  std::string noLineEnd = Data("noeol.htm");
  std::string oneLineEnd = noLineEnd;
  oneLineEnd.insert(oneLineEnd.find("<DL><p>") + 7, "\r\n");
  EXPECT_EQ(RemoveFromText(spliced).text, noLineEnd);
  EXPECT_EQ(RemoveFromText(oneLineEnd).text, oneLineEnd) << "nothing of the product's there";
}

TEST(Remove, EmptyAndListlessTextsStay) {
  for (const std::string& text : {std::string(), std::string("\r\n"), std::string("<DL><p>"),
                                  std::string("</DL><p>\r\n"), std::string("\0\0", 2)}) {
    TextRemoval result = RemoveFromText(text);
    EXPECT_EQ(result.text, text);
    EXPECT_FALSE(result.changed);
  }
}

}  // namespace
