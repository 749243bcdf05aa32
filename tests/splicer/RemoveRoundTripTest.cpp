// The installer's splice undone: for bookmark texts, toolbar settings and
// product directories of every kind, removal after the splice gives back
// the text before it, byte for byte. Both are the program's own, run on
// files through its application object.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "installer/html/BookmarkRemoverText.h"
#include "installer/InstallerApp.h"
#include "tests/splicer/RemoveTestSupport.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

// A CR LF that the installer added after a list opening with no line end
// after it reads the same as one that stood there before a last line
// without a line end; removal takes it for the installer's.
bool LostOnlyAmbiguousLineEnd(const std::string& before, const std::string& after) {
  size_t lastLineEnd = before.find_last_of("\r\n");
  return lastLineEnd != std::string::npos && lastLineEnd >= 8 &&
         before.compare(lastLineEnd - 8, 9, "<DL><p>\r\n") == 0 &&
         after == before.substr(0, lastLineEnd - 1) + before.substr(lastLineEnd + 1);
}

class SpliceAndRemove {
 public:
  explicit SpliceAndRemove(const std::string& name) : dir_(FreshDirectory(name)) {}

  // The bookmark file after a splice of `before`, then after a removal;
  // the backup the splice made stays as it is.
  void Run(const std::string& before, const std::string* prefs, const std::string& productDir) {
    for (const std::string& file : FilesIn(dir_)) std::remove((dir_ + file).c_str());
    PutFile(dir_ + "bookmark.htm", before);
    if (prefs) PutFile(dir_ + "prefs.js", *prefs);
    RunSplicer(dir_ + "bookmark.htm", productDir);
    spliced = FileBytes(dir_ + "bookmark.htm").value_or("");
    result = RemoveFromText(spliced);
    RunRemover(dir_ + "bookmark.htm");
    EXPECT_EQ(FileBytes(dir_ + "bookmark.htm"), result.text);
    EXPECT_EQ(FileBytes(dir_ + "bkmk.qyr"), before);
    EXPECT_EQ(FilesIn(dir_).size(), prefs ? 3u : 2u) << "a temporary file was left behind";
    InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
    EXPECT_EQ(app.outcome,
              result.leftAlone.empty() ? InstallOutcome::kDone : InstallOutcome::kLeftAlone);
  }

  std::string spliced;
  TextRemoval result;  // of the text alone, for its counts

 private:
  std::string dir_;
};

std::string WithLineEnds(const std::string& text, const std::string& lineEnd) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += lineEnd;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

const char* const kBookmarkFiles[] = {"bookmark.htm", "noeol.htm",         "noeol-toolbar.htm",
                                      "nolist.htm",   "with-nul-byte.htm", "old-bookmark.htm"};
const char* const kPrefsFiles[] = {
    nullptr,         "prefs-work.js",  "prefs-neither.js", "prefs-has-flag.js",
    "prefs-news.js", "prefs-title.js", "prefs-weather.js", "prefs-two-quotes.js",
    "prefs-1023.js"};
const char* const kLineEnds[] = {"\r\n", "\n", "\r"};

TEST(RoundTrip, EverySampleEveryToolbarSettingEveryLineEnd) {
  SpliceAndRemove run("remove_round_trip_samples");
  for (const char* file : kBookmarkFiles) {
    for (const char* lineEnd : kLineEnds) {
      std::string before = WithLineEnds(Data(file), lineEnd);
      for (const char* prefsFile : kPrefsFiles) {
        std::string prefs = prefsFile ? Data(prefsFile) : "";
        run.Run(before, prefsFile ? &prefs : nullptr, ProductDir());
        std::string when = std::string(file) + ", line end " + testing::PrintToString(lineEnd) +
                           ", prefs " + (prefsFile ? prefsFile : "none");
        ASSERT_NE(run.spliced, before) << when;
        EXPECT_EQ(run.result.text, before) << when;
        EXPECT_EQ(run.result.removedFolders, file == std::string("nolist.htm") ? 1 : 2) << when;
        EXPECT_TRUE(run.result.leftAlone.empty()) << when;
      }
    }
  }
}

// Product directories and toolbar names the line rule could not read: the
// installer's own lines are still taken out whole.
TEST(RoundTrip, OddProductDirectoriesAndToolbarNames) {
  struct Row {
    const char* label;
    std::string productDir;
    std::string toolbarName;  // in prefs.js; not in the bookmark file
  } rows[] = {
      {"quote and angle brackets", "C:\\a\"b>c<\\", "Work"},
      {"line ends in the directory", "C:\\x\r\n        </DL><p>\r\ny\\", "Work"},
      {"list tags in the directory", "C:\\<DL><p>\r\n\\", "Elsewhere"},
      {"toolbar name with line ends and tags", "C:\\Q\\", "Tool\r\n</H3>\r\n<DL><p>\r\nbar"},
      {"toolbar name of blanks", "C:\\Q\\", "   "},
  };
  SpliceAndRemove run("remove_round_trip_odd");
  for (const Row& row : rows) {
    std::string prefs =
        "user_pref(\"custtoolbar.personal_toolbar_folder\", \"" + row.toolbarName + "\");\r\n";
    for (const char* file : kBookmarkFiles) {
      std::string before = Data(file);
      run.Run(before, &prefs, row.productDir);
      EXPECT_EQ(run.result.text, before) << row.label << ", " << file;
    }
  }
}

// Texts put together at random from the pieces the splice looks for, with
// every kind of line end and none.
TEST(RoundTrip, RandomTexts) {
  const std::vector<std::string> pieces = {
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
      "<TITLE>Bookmarks for Work</TITLE>",
      "<DL><p>",
      "<DL><p>",
      "</DL><p>",
      "<DT><H3 ADD_DATE=\"1\">Work</H3>",
      "<DT><H3 ADD_DATE=\"2\">Personal Toolbar Folder</H3>",
      "<DT><H3 ADD_DATE=\"899410187\">Quillary</H3>",
      "<DT><A HREF=\"http://a.example/\">A</A>",
      "<DT><A HREF=\"file:///D:/Q/quick.kyv\">Work</A>",
      "    ",
      "",
      std::string("\0", 1),
      "<DL><p><DT><A HREF=\"http://b.example/\">B</A></DL><p>",
  };
  const std::vector<std::string> lineEnds = {"\r\n", "\r\n", "\n", "\r", "", "\r\n\r\n", "\n\r"};
  const std::vector<std::string> prefsTexts = {
      "user_pref(\"custtoolbar.personal_toolbar_folder\", \"Work\");\r\n",
      "user_pref(\"custtoolbar.personal_toolbar_folder\", \"Personal Toolbar Folder\");\r\n",
      "user_pref(\"custtoolbar.has_toolbar_folder\", true);\r\n",
      "// nothing of the toolbar\r\n",
  };
  std::mt19937 random(20260412);
  auto pick = [&random](size_t count) {
    return static_cast<size_t>(std::uniform_int_distribution<size_t>(0, count - 1)(random));
  };
  SpliceAndRemove run("remove_round_trip_random");
  int ambiguous = 0;
  for (int round = 0; round < 300; ++round) {
    std::string before;
    for (size_t n = pick(12); n > 0; --n) {
      before += pieces[pick(pieces.size())] + lineEnds[pick(lineEnds.size())];
    }
    size_t prefsIndex = pick(prefsTexts.size() + 1);
    const std::string* prefs = prefsIndex < prefsTexts.size() ? &prefsTexts[prefsIndex] : nullptr;
    run.Run(before, prefs, ProductDir());
    if (run.result.text != before) {
      ++ambiguous;
      EXPECT_TRUE(LostOnlyAmbiguousLineEnd(before, run.result.text))
          << "round " << round << ": " << testing::PrintToString(before) << "\nspliced "
          << testing::PrintToString(run.spliced) << "\nremoved "
          << testing::PrintToString(run.result.text);
    }
    EXPECT_TRUE(run.result.changed) << "round " << round;
  }
  std::printf("%d of 300 texts gave back one CR LF less\n", ambiguous);
}

// A folder with the installer's date holding nothing is taken for one the
// installer made once; a second copy put into it takes it along.
TEST(RoundTrip, EmptyFolderWithTheInstallersDateGoesWithTheCopy) {
  std::string before =
      "<DL><p>\r\n<DT><H3 ADD_DATE=\"899410187\">Work</H3>\r\n<DL><p>\r\n</DL><p>\r\n</DL><p>\r\n";
  std::string prefs = Data("prefs-work.js");
  SpliceAndRemove run("remove_round_trip_empty_made_folder");
  run.Run(before, &prefs, ProductDir());
  EXPECT_EQ(run.result.text, "<DL><p>\r\n</DL><p>\r\n");
  EXPECT_EQ(run.result.removedToolbarFolders, 1);
}

}  // namespace

namespace {

// The first list opens in the middle of a line, and another opening ends
// that line before a last line without a line end: the CR LF after it
// stood there before the splice, which put the folder after the line, and
// it stays. (Found by the splice's fuzz target.)
TEST(RoundTrip, LineEndAfterALaterListOpeningStays) {
  std::string before =
      "<TITLE>Bookmarks</TITLE>\r\n<DL><p><DT><A HREF=\"http://a.example/\">A</A><DL><p>\r\n"
      "<DT><A HREF=\"http://b.example/\">B</A></DL><p></DL><p>";
  SpliceAndRemove run("remove_round_trip_list_opening_mid_line");
  run.Run(before, nullptr, ProductDir());
  EXPECT_EQ(run.result.text, before);
  EXPECT_EQ(run.result.removedFolders, 2);
}

}  // namespace
