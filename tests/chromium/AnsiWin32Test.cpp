// The product directory in the ANSI code page becomes UTF-8 in its links.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "installer/chromium/FileUrl.h"

namespace {

// Rows of the code page the run has. In a code page of two-byte characters
// a lead byte without its second is no text: no link is made of it, rather
// than one with a character the path does not have. Wine takes the code
// page from the locale of the session's first program: run the 932 rows in
// a session of its own started with LC_ALL=ja_JP.UTF-8.
TEST(AnsiWin32, ProductDirectoryInTheCodePage) {
  struct Row {
    UINT codePage;
    const char* directory;
    const char* url;  // nullptr: refused
  };
  const Row rows[] = {
      {1252, "C:\\Programme\\Caf\xE9\\", "file:///C:/Programme/Caf%C3%A9/save.qyv"},
      {932, "C:\\\x93\xFA\\", "file:///C:/%E6%97%A5/save.qyv"},
      {932, "C:\\Q\x93", nullptr},
  };
  int ran = 0;
  for (const Row& row : rows) {
    if (row.codePage != GetACP()) continue;
    ++ran;
    std::string url;
    const bool made = installer::chromium::ProductFileUrl(row.directory, "save.qyv", &url);
    if (row.url == nullptr) {
      EXPECT_FALSE(made) << row.directory;
    } else {
      EXPECT_TRUE(made) << row.directory;
      EXPECT_EQ(url, row.url);
    }
  }
  if (ran == 0) GTEST_SKIP() << "no rows for code page " << GetACP();
}

}  // namespace
