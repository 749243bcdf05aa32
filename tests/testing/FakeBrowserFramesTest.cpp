// The browser's main windows, found by their captions as the launcher finds
// the real browser's.
#include <gtest/gtest.h>

#include "platform/Win32Api.h"
#include "testing/FakeBrowserFrames.h"

namespace fake_browser {
namespace {

TEST(FakeBrowserFrames, OneCaptionedWindowPerTopLevelBrowserWindow) {
  Script script;
  ASSERT_TRUE(
      ParseScript("window 5 \"http://a/\" \"Home\" \"\"\n"
                  "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
                  "window 12 \"http://b/\" \"\" \"\"\n",
                  &script, nullptr));
  {
    FakeBrowserFrames frames;
    ASSERT_TRUE(frames.Create(script));
    EXPECT_EQ(frames.windows().size(), 2u);
    HWND home = FindWindowA(nullptr, "Home - Netscape");
    EXPECT_TRUE(home);
    EXPECT_EQ(GetParent(home), nullptr);
    EXPECT_TRUE(FindWindowA(nullptr, " - Netscape"));
    EXPECT_FALSE(FindWindowA(nullptr, "Frame - Netscape"));
  }
  EXPECT_FALSE(FindWindowA(nullptr, "Home - Netscape"));
  EXPECT_FALSE(FindWindowA(nullptr, " - Netscape"));
}

}  // namespace
}  // namespace fake_browser
