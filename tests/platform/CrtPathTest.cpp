// _splitpath, _makepath and the case-blind comparisons.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/Win32Api.h"

namespace {

struct SplitRow {
  const char* path;
  const char* drive;
  const char* dir;
  const char* fname;
  const char* ext;
};

const SplitRow kSplits[] = {
    {"D:\\N\\bookmark.htm", "D:", "\\N\\", "bookmark", ".htm"},
    {"D:\\:\\Netscape\\bookmark.htm", "D:", "\\:\\Netscape\\", "bookmark", ".htm"},
    {"D:\\N\\", "D:", "\\N\\", "", ""},
    {"\\", "", "\\", "", ""},
    {"\\bookmark.htm", "", "\\", "bookmark", ".htm"},
    {"D:\\Q", "D:", "\\", "Q", ""},
    {"D:\\Q\\Add.htm", "D:", "\\Q\\", "Add", ".htm"},
    {"Add.htm", "", "", "Add", ".htm"},
    {"/opt/q/save.qyv", "", "/opt/q/", "save", ".qyv"},
    {"C:/a\\b/c.d", "C:", "/a\\b/", "c", ".d"},
    {"", "", "", "", ""},
    {"D:", "D:", "", "", ""},
    {"x:name", "x:", "", "name", ""},
    {":\\x", "", ":\\", "x", ""},
    {"a.b\\c", "", "a.b\\", "c", ""},
    {"x.tar.gz", "", "", "x.tar", ".gz"},
    {".htm", "", "", "", ".htm"},
    {"\\\\host\\share\\f.txt", "", "\\\\host\\share\\", "f", ".txt"},
};

TEST(SplitPath, TakesPathsApartAtTheLastSeparatorAndDot) {
  for (const SplitRow& row : kSplits) {
    SCOPED_TRACE(row.path);
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(row.path, drive, dir, fname, ext);
    EXPECT_STREQ(drive, row.drive);
    EXPECT_STREQ(dir, row.dir);
    EXPECT_STREQ(fname, row.fname);
    EXPECT_STREQ(ext, row.ext);

    char rebuilt[_MAX_PATH];
    _makepath(rebuilt, drive, dir, fname, ext);
    EXPECT_STREQ(rebuilt, row.path) << "the parts make the path again";

    // Each part alone, the others not asked for.
    _splitpath(row.path, nullptr, dir, nullptr, nullptr);
    EXPECT_STREQ(dir, row.dir);
    _splitpath(row.path, nullptr, nullptr, nullptr, ext);
    EXPECT_STREQ(ext, row.ext);
  }
}

// Heap buffers of exactly the documented sizes: AddressSanitizer reports a
// write past any of them.
TEST(SplitPath, CutsEveryPartToItsBuffer) {
  std::vector<char> drive(_MAX_DRIVE), dir(_MAX_DIR), fname(_MAX_FNAME), ext(_MAX_EXT);
  const std::string longDir = "C:\\" + std::string(300, 'd') + "\\";
  const std::string path = longDir + std::string(300, 'f') + "." + std::string(300, 'e');
  _splitpath(path.c_str(), drive.data(), dir.data(), fname.data(), ext.data());
  EXPECT_STREQ(drive.data(), "C:");
  EXPECT_EQ(std::string(dir.data()), longDir.substr(2, _MAX_DIR - 1));
  EXPECT_EQ(std::string(fname.data()), std::string(_MAX_FNAME - 1, 'f'));
  EXPECT_EQ(std::string(ext.data()), "." + std::string(_MAX_EXT - 2, 'e'));
}

TEST(MakePath, JoinsThePartsThatAreGiven) {
  struct Row {
    const char* drive;
    const char* dir;
    const char* fname;
    const char* ext;
    const char* path;
  } rows[] = {
      {"D:", "\\Netscape\\", "bkmk", ".qyr", "D:\\Netscape\\bkmk.qyr"},
      {"D", "\\N", "bookmark", "htm", "D:\\N\\bookmark.htm"},
      {"", "\\", "bookmark", ".htm", "\\bookmark.htm"},
      {"D:", "\\Q\\", "", "", "D:\\Q\\"},
      {"", "/opt/q/", "prefs", ".js", "/opt/q/prefs.js"},
      {"", "/opt/q", "prefs", ".js", "/opt/q\\prefs.js"},
      {nullptr, nullptr, "name", nullptr, "name"},
      {nullptr, nullptr, nullptr, nullptr, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    char path[_MAX_PATH];
    std::memset(path, '#', sizeof path);
    _makepath(path, row.drive, row.dir, row.fname, row.ext);
    EXPECT_STREQ(path, row.path);
  }
}

TEST(MakePath, StopsAtMaxPathAndMayReuseItsOwnBuffer) {
  std::vector<char> path(_MAX_PATH);
  const std::string dir(250, 'd');
  _makepath(path.data(), "C:", dir.c_str(), "bookmark", ".htm");
  EXPECT_EQ(std::string(path.data()), ("C:" + dir + "\\bookmark.htm").substr(0, _MAX_PATH - 1));

  char inPlace[_MAX_PATH] = "bookmark";
  _makepath(inPlace, "D:", "\\N\\", inPlace, ".htm");
  EXPECT_STREQ(inPlace, "D:\\N\\bookmark.htm");
}

TEST(CaseBlindCompare, OrdersAsLowerCase) {
  struct Row {
    const char* a;
    const char* b;
    size_t count;  // 0: _stricmp
    int sign;
  } rows[] = {
      {"NETSCAPE", "netscape", 0, 0},
      {"abc", "ABD", 0, -1},
      {"b", "A", 0, 1},
      {"ab", "abc", 0, -1},
      {"_", "a", 0, -1},
      {"", "", 0, 0},
      {"Home - x", "HOME - y", 7, 0},
      {"Home - x", "HOME - y", 8, -1},
      {"abc", "abd", 2, 0},
      {"a", "a", 5, 0},
  };
  for (const auto& row : rows) {
    int order = row.count ? _strnicmp(row.a, row.b, row.count) : _stricmp(row.a, row.b);
    EXPECT_EQ((order > 0) - (order < 0), row.sign) << row.a << " / " << row.b << " " << row.count;
  }
  EXPECT_EQ(_stricmp(nullptr, "a"), _NLSCMPERROR);
}

}  // namespace
