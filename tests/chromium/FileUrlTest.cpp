// The product's file URLs: both forms on every target, and each target's
// own form from the directory as the program holds it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/chromium/FileUrl.h"
#include "installer/shared/PathConvention.h"

namespace {

TEST(FileUrl, BothForms) {
  struct Case {
    const char* directory;
    bool backslashSeparates;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"C:\\Program Files\\Quillary\\", true, "file:///C:/Program%20Files/Quillary/save.qyv"},
      {"C:\\Program Files\\Quillary", true, "file:///C:/Program%20Files/Quillary/save.qyv"},
      {"C:/mixed\\slashes/", true, "file:///C:/mixed/slashes/save.qyv"},
      {"\\\\server\\share\\Quillary\\", true, "file://server/share/Quillary/save.qyv"},
      {"D:\\Caf\xC3\xA9 & Co\\", true, "file:///D:/Caf%C3%A9%20&%20Co/save.qyv"},
      {"D:\\100% #1; why?\\", true, "file:///D:/100%25%20%231%3B%20why%3F/save.qyv"},
      {"/opt/Quillary Pro/", false, "file:///opt/Quillary%20Pro/save.qyv"},
      {"/opt/q", false, "file:///opt/q/save.qyv"},
      {"/opt/back\\slash/", false, "file:///opt/back%5Cslash/save.qyv"},
      {"/opt/\xE9\xA1\xB9\xE7\x9B\xAE/<\"{}|^`>/", false,
       "file:///opt/%E9%A1%B9%E7%9B%AE/%3C%22%7B%7D%7C%5E%60%3E/save.qyv"},
      {"/opt/keep-._~!$&'()*+,=:@/", false, "file:///opt/keep-._~!$&'()*+,=:@/save.qyv"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(installer::chromium::FileUrl(c.directory, "save.qyv", c.backslashSeparates),
              c.expected)
        << c.directory;
  }
}

TEST(FileUrl, TargetsOwnForm) {
  std::string url;
  if (installer::shared::kBackslashSeparates) {
    ASSERT_TRUE(
        installer::chromium::ProductFileUrl("C:\\Program Files\\Quillary\\", "quick.kyv", &url));
    EXPECT_EQ(url, "file:///C:/Program%20Files/Quillary/quick.kyv");
  } else {
    ASSERT_TRUE(installer::chromium::ProductFileUrl("/opt/Quillary Pro/", "quick.kyv", &url));
    EXPECT_EQ(url, "file:///opt/Quillary%20Pro/quick.kyv");
  }
}

}  // namespace
