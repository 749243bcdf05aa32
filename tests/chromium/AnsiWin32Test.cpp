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

}  // namespace
