// The build step that carries a resource script's string table to POSIX.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/posix/rc/RcStringTable.h"

namespace rc_strings {
bool operator==(const Entry& a, const Entry& b) { return a.id == b.id && a.text == b.text; }
}  // namespace rc_strings

namespace {

using rc_strings::Entry;

// A fresh directory in the test's build directory, gone again at the end of
// the scope, whatever the test's outcome.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& name)
      : path_(std::filesystem::path(RC_STRINGS_WORK_DIR) / name) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

struct ParseRow {
  const char* name;
  const char* script;
  std::vector<Entry> entries;
};

TEST(RcStringTable, ReadsTheEntriesOfEveryStringTable) {
  // Headers are looked for beside the script: here, where there are none.
  ScratchDirectory empty("rc_strings_entries");
  const std::vector<ParseRow> rows = {
      {"plain",
       "STRINGTABLE\nBEGIN\n 2 \" - Netscape\"\n 3 \"Text\"\nEND\n",
       {{2, " - Netscape"}, {3, "Text"}}},
      {"comma and braces", "STRINGTABLE { 7, \"a\" }", {{7, "a"}}},
      {"keywords in any case", "stringtable begin 1 \"x\" end", {{1, "x"}}},
      {"hexadecimal and long ids",
       "STRINGTABLE BEGIN 0x10 \"h\" 17L \"l\" END",
       {{16, "h"}, {17, "l"}}},
      {"named ids",
       "#define IDS_A 5\n#define IDS_B 0x6\nSTRINGTABLE BEGIN IDS_A \"a\" IDS_B \"b\" END",
       {{5, "a"}, {6, "b"}}},
      {"doubled quotes and escapes",
       "STRINGTABLE BEGIN 1 \"say \"\"hi\"\"\\t\\n\\\\ \\\"q\\\" \\x41\\101\" END",
       {{1, "say \"hi\"\t\n\\ \"q\" AA"}}},
      {"comments",
       "// STRINGTABLE BEGIN 9 \"no\" END\n/* 8 */ STRINGTABLE /* x */ BEGIN 1 \"y\" // z\nEND",
       {{1, "y"}}},
      {"flags and statements",
       "STRINGTABLE DISCARDABLE PRELOAD\nLANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL\n"
       "VERSION 2\nBEGIN 1 \"v\" END",
       {{1, "v"}}},
      {"two tables",
       "STRINGTABLE BEGIN 1 \"a\" END\nSTRINGTABLE BEGIN 2 \"b\" END",
       {{1, "a"}, {2, "b"}}},
      {"other resources skipped",
       "#include <windows.h>\n129 DIALOG 0, 0, 100, 50\nCAPTION \"STRINGTABLE\"\nBEGIN\n"
       "  PUSHBUTTON \"OK\", IDOK, 5, 5, 40, 14\nEND\nSTRINGTABLE BEGIN 4 \"after\" END\n"
       "1 VERSIONINFO FILEVERSION 1,0,0,0 BEGIN BLOCK \"x\" BEGIN END END",
       {{4, "after"}}},
      {"an empty string", "STRINGTABLE BEGIN 1 \"\" END", {{1, ""}}},
      {"no table at all", "1 ICON \"a.ico\"\n", {}},
      {"bytes beyond ASCII kept", "STRINGTABLE BEGIN 1 \"caf\xE9\" END", {{1, "caf\xE9"}}},
  };
  for (const ParseRow& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<Entry> entries;
    std::string error;
    ASSERT_TRUE(rc_strings::ParseStringTables(row.script, empty.path(), &entries, &error)) << error;
    EXPECT_EQ(entries, row.entries);
  }
}

TEST(RcStringTable, RefusesWhatItCannotReadWithTheLine) {
  // Headers are looked for beside the script: here, where there are none.
  ScratchDirectory empty("rc_strings_refusals");
  struct Row {
    const char* name;
    const char* script;
    const char* error;
  };
  const Row rows[] = {
      {"an id twice", "STRINGTABLE BEGIN\n1 \"a\"\n1 \"b\"\nEND",
       "line 3: string id 1 given twice"},
      {"unterminated string", "STRINGTABLE BEGIN\n1 \"a\nEND", "line 2: unterminated string"},
      {"no BEGIN", "STRINGTABLE\n1 \"a\"", "line 2: expected BEGIN after STRINGTABLE"},
      {"no END", "STRINGTABLE BEGIN 1 \"a\"", "line 1: STRINGTABLE without END"},
      {"an unknown name", "STRINGTABLE BEGIN\nIDS_NOWHERE \"a\" END",
       "line 2: expected a string id"},
      {"an id expression", "STRINGTABLE BEGIN 1 + 2 \"a\" END",
       "line 1: expected a string after id 1"},
      {"an id over 65535", "STRINGTABLE BEGIN 65536 \"a\" END", "line 1: string id outside 0 to 65535"},
      {"a negative named id", "#define IDS_X -1\nSTRINGTABLE BEGIN IDS_X \"a\" END",
       "line 2: string id outside 0 to 65535"},
      {"a header that is not there", "#include \"nowhere.h\"\n", "line 1: cannot read nowhere.h"},
      {"an unknown escape", "STRINGTABLE BEGIN 1 \"\\q\" END", "line 1: unknown escape \\q"},
      {"an unterminated comment", "/* STRINGTABLE", "line 1: unterminated comment"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<Entry> entries;
    std::string error;
    EXPECT_FALSE(rc_strings::ParseStringTables(row.script, empty.path(), &entries, &error));
    EXPECT_EQ(error, row.error);
  }
}

TEST(RcStringTable, NamesComeFromTheHeadersTheScriptIncludes) {
  ScratchDirectory scratch("rc_strings_headers");
  const std::string directory = scratch.path();
  const std::string header = directory + "/resource.h";
  std::ofstream(header) << "#define IDS_SUFFIX 2\n#define IDS_MESSAGE 0x3\n";
  std::vector<Entry> entries;
  std::string error;
  EXPECT_TRUE(rc_strings::ParseStringTables(
      "#include \"resource.h\"\nSTRINGTABLE BEGIN IDS_SUFFIX \"s\" IDS_MESSAGE \"m\" END",
      directory, &entries, &error))
      << error;
  EXPECT_EQ(entries, (std::vector<Entry>{{2, "s"}, {3, "m"}}));
  // A header that includes itself ends with an error, not a stack overflow.
  std::ofstream(header) << "#include \"resource.h\"\n";
  entries.clear();
  EXPECT_FALSE(rc_strings::ParseStringTables("#include \"resource.h\"\n", directory, &entries,
                                             &error));
  EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
}

TEST(RcStringTable, GeneratedSourceEscapesEveryByteThatNeedsIt) {
  std::string source = rc_strings::GenerateSource({{2, " - N"}, {7, "q\"\\\t\xE9?"}}, "x.rc");
  EXPECT_NE(source.find("{2u, \" - N\"},"), std::string::npos) << source;
  EXPECT_NE(source.find("{7u, \"q\\042\\134\\011\\351\\077\"},"), std::string::npos) << source;
  EXPECT_NE(source.find("kRegistration(kStrings, 2)"), std::string::npos) << source;
  EXPECT_NE(rc_strings::GenerateSource({}, "x.rc").find("kRegistration(nullptr, 0)"),
            std::string::npos);
}

}  // namespace
