// The product directory in the ANSI code page becomes UTF-8 in its links.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "installer/chromium/FileUrl.h"

namespace {

TEST(AnsiWin32, ProductDirectoryInTheCodePage) {
  if (GetACP() != 1252) {
    GTEST_SKIP() << "code page " << GetACP();
  }
  std::string url;
  ASSERT_TRUE(installer::chromium::ProductFileUrl("C:\\Programme\\Caf\xE9\\", "save.qyv", &url));
  EXPECT_EQ(url, "file:///C:/Programme/Caf%C3%A9/save.qyv");
}

// In a code page of two-byte characters a lead byte without its second is
// no text: no link is made of it, rather than one with a character the
// path does not have. Wine takes the code page from the locale of the
// session's first program: run it in a session of its own started with
// LC_ALL=ja_JP.UTF-8.
TEST(AnsiWin32, NoTextOfTheCodePageMakesNoLink) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "code page " << GetACP();
  }
  std::string url;
  ASSERT_TRUE(installer::chromium::ProductFileUrl("C:\\\x93\xFA\\", "save.qyv", &url));
  EXPECT_EQ(url, "file:///C:/%E6%97%A5/save.qyv");
  EXPECT_FALSE(installer::chromium::ProductFileUrl("C:\\Q\x93", "save.qyv", &url));
}

}  // namespace
