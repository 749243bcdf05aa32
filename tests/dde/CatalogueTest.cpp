// The window catalogue against the fake browser: what the launcher gets for
// the browser's windows, and what the browser is asked.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher/dde/DdeLink.h"
#include "tests/dde/LinkTestSupport.h"

namespace {

using fake_browser::FakeBrowser;

struct Delivered {
  int result = -1;
  std::string url;
  std::string title;
  bool titleNull = true;
};

// The run of the launcher: refresh, find the top window, copy its information.
Delivered LauncherRun(DdeLink& link, DWORD* top = nullptr) {
  link.RefreshWindowList();
  DWORD id = link.FindCurrentTopWindow();
  if (top != nullptr) {
    *top = id;
  }
  BrowserWindowInfo info;
  info.extraText = nullptr;
  info.title = nullptr;
  info.url[0] = '\0';
  Delivered delivered;
  delivered.result = link.CopyWindowInfo(&info, id);
  delivered.url = info.url;
  delivered.titleNull = info.title == nullptr;
  delivered.title = info.title != nullptr ? info.title : "";
  FreeOwnedString(info.title);
  FreeOwnedString(info.extraText);
  return delivered;
}

const char kFramedPage[] =
    "window 5 \"http://a/\" \"Home\" \"t5\" parent=-\n"
    "window 9 \"http://a/f.htm\" \"Frame\" \"t9\" parent=5\n";

TEST(Catalogue, AFrameClimbsToItsTopWindow) {
  auto browser = StartBrowser(std::string(kFramedPage) + "current 9\n");
  DdeLink link;
  DWORD top = 0;
  Delivered delivered = LauncherRun(link, &top);
  EXPECT_EQ(top, 5u);
  EXPECT_EQ(delivered.result, 1);
  EXPECT_EQ(delivered.url, "http://a/");
  EXPECT_EQ(delivered.title, "Home");
  ASSERT_EQ(link.windowList.size, 2);
  EXPECT_EQ(link.windowList.data[1].frameParentId, 5u);
  EXPECT_STREQ(link.windowList.data[1].extraText, "t9");
  const fake_browser::Counters& c = browser->counters();
  EXPECT_EQ(c.Requests(browser::kTopicListWindows, browser::kTopicListWindows), 1u);
  EXPECT_EQ(c.Requests(browser::kTopicGetWindowInfo, "4294967295"), 1u);
  EXPECT_EQ(c.RequestsOn(browser::kTopicGetWindowInfo), 3u);
  EXPECT_EQ(c.RequestsOn(browser::kTopicGetFrameParent), 2u);
}

TEST(Catalogue, TheTopWindowItselfIsAskedForAfresh) {
  auto browser = StartBrowser(std::string(kFramedPage) + "current 5\n");
  DdeLink link;
  DWORD top = 0;
  Delivered delivered = LauncherRun(link, &top);
  EXPECT_EQ(top, 0xFFFFFFFFu);
  EXPECT_EQ(delivered.result, 1);
  EXPECT_EQ(delivered.url, "http://a/");
  EXPECT_EQ(delivered.title, "Home");
  EXPECT_EQ(browser->counters().Requests(browser::kTopicGetWindowInfo, "4294967295"), 2u);
}

TEST(Catalogue, AParentMissingFromTheCatalogueDeliversNothing) {
  auto browser = StartBrowser(
      "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=7\n"
      "current 9\n");
  DdeLink link;
  DWORD top = 0;
  link.RefreshWindowList();
  top = link.FindCurrentTopWindow();
  EXPECT_EQ(top, 7u);
  BrowserWindowInfo info;
  char canaryTitle[] = "unchanged";
  info.title = canaryTitle;
  info.extraText = nullptr;
  std::strcpy(info.url, "kept");
  EXPECT_EQ(link.CopyWindowInfo(&info, top), 0);
  EXPECT_EQ(info.title, canaryTitle);
  EXPECT_STREQ(info.url, "kept");
}

TEST(Catalogue, TheFirstOfTwoEqualUrlsDecides) {
  auto browser = StartBrowser(
      "window 2 \"http://top2/\" \"Two\" \"\" parent=-\n"
      "window 3 \"http://top3/\" \"Three\" \"\" parent=-\n"
      "window 4 \"http://same/\" \"Four\" \"\" parent=2\n"
      "window 6 \"http://same/\" \"Six\" \"\" parent=3\n"
      "current 6\n");
  DdeLink link;
  DWORD top = 0;
  Delivered delivered = LauncherRun(link, &top);
  EXPECT_EQ(top, 2u);
  EXPECT_EQ(delivered.title, "Two");
}

TEST(Catalogue, UrlsAreComparedExactly) {
  auto browser = StartBrowser(std::string(kFramedPage) +
                              "window 11 \"HTTP://A/F.HTM\" \"Upper\" \"\" parent=-\n"
                              "current 11\n");
  DdeLink link;
  link.RefreshWindowList();
  EXPECT_EQ(link.FindWindowByUrl("HTTP://A/F.HTM", FALSE), 11u);
  EXPECT_EQ(link.FindWindowByUrl("http://a/F.htm", FALSE), 0xFFFFFFFFu);
  EXPECT_EQ(link.FindWindowByUrl("http://a/f.htm", TRUE), 5u);
  EXPECT_EQ(link.FindCurrentTopWindow(), 0xFFFFFFFFu);
}

TEST(Catalogue, ARefreshReplacesTheList) {
  auto browser = StartBrowser(std::string(kFramedPage) + "current 9\n");
  DdeLink link;
  link.RefreshWindowList();
  link.RefreshWindowList();
  ASSERT_EQ(link.windowList.size, 2);
  EXPECT_EQ(link.windowList.data[0].windowId, 5u);
  EXPECT_EQ(link.windowList.data[1].windowId, 9u);
  EXPECT_EQ(browser->counters().Accepted(browser::kTopicListWindows), 1u);
  link.ClearWindowList();
  EXPECT_EQ(link.windowList.size, 0);
  EXPECT_EQ(link.windowList.capacity, 0);
}

TEST(Catalogue, AnEmptyListAsksForNoWindow) {
  auto browser = StartBrowser("current -\n");
  DdeLink link;
  link.RefreshWindowList();
  EXPECT_EQ(link.windowList.size, 0);
  EXPECT_EQ(browser->counters().RequestsOn(browser::kTopicGetWindowInfo), 0u);
  EXPECT_EQ(browser->counters().RequestsOn(browser::kTopicGetFrameParent), 0u);
}

TEST(Catalogue, TwoHundredWindowsCostOneListAndTwoRequestsEachOnThreeConversations) {
  std::string script;
  for (int id = 1; id <= 200; ++id) {
    script += "window " + std::to_string(id) + " \"http://w/" + std::to_string(id) + "\" \"Page " +
              std::to_string(id) +
              "\" \"\" parent=" + (id == 1 ? std::string("-") : std::to_string(id - 1)) + "\n";
  }
  script += "current 200\n";
  auto browser = StartBrowser(script);
  DdeLink link;
  link.RefreshWindowList();
  EXPECT_EQ(link.windowList.size, 200);
  EXPECT_EQ(browser->counters().totalRequests, 1u + 2u * 200u);
  EXPECT_EQ(link.conversations.size, 3);
  unsigned connects = 0;
  for (const auto& topic : browser->counters().accepted) {
    connects += topic.second;
  }
  EXPECT_EQ(connects, 3u);
  // A chain of 200 frames climbs to the first window.
  EXPECT_EQ(link.FindCurrentTopWindow(), 1u);
  EXPECT_EQ(browser->counters().totalRequests, 1u + 2u * 200u + 1u);
}

// Hostile browsers: the catalogue ends and reads nothing past a reply.
TEST(Catalogue, FrameParentsInACycleEndTheClimb) {
  auto browser = StartBrowser(
      "window 5 \"http://a/\" \"Home\" \"\" parent=9\n"
      "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
      "current 9\n");
  DdeLink link;
  DWORD top = 0;
  Delivered delivered = LauncherRun(link, &top);
  EXPECT_TRUE(top == 5u || top == 9u) << top;
  EXPECT_EQ(delivered.result, 1);
}

TEST(Catalogue, AListWithoutItsClosingZeroIsReadToItsEnd) {
  auto browser =
      StartBrowser(std::string(kFramedPage) + "current 9\nmisbehave list-unterminated\n");
  DdeLink link;
  link.RefreshWindowList();
  EXPECT_EQ(link.windowList.size, 2);
}

TEST(Catalogue, AShortFrameParentReplyNamesNoParent) {
  auto browser = StartBrowser(std::string(kFramedPage) + "current 9\nmisbehave parent-bytes 2\n");
  DdeLink link;
  DWORD top = 0;
  Delivered delivered = LauncherRun(link, &top);
  EXPECT_EQ(link.windowList.data[1].frameParentId, 0xFFFFFFFFu);
  EXPECT_EQ(top, 0xFFFFFFFFu);
  EXPECT_EQ(delivered.url, "http://a/f.htm");
}

TEST(Catalogue, AnInformationReplyOver255CharactersIsCataloguedEmpty) {
  auto browser = StartBrowser(std::string(kFramedPage) + "current 9\nmisbehave pad-title 300\n");
  DdeLink link;
  link.RefreshWindowList();
  ASSERT_EQ(link.windowList.size, 2);
  const BrowserWindowRecord& record = link.windowList.data[0];
  EXPECT_STREQ(record.url, "");
  ASSERT_NE(record.title, nullptr);
  EXPECT_STREQ(record.title, "");
  ASSERT_NE(record.extraText, nullptr);
  EXPECT_STREQ(record.extraText, "");
}

TEST(Catalogue, AnInformationTextWithoutItsZeroIsReadWithinItsData) {
  auto browser =
      StartBrowser(std::string(kFramedPage) + "current 9\nmisbehave text-unterminated\n");
  DdeLink link;
  Delivered delivered = LauncherRun(link);
  EXPECT_EQ(delivered.url, "http://a/");
  EXPECT_EQ(delivered.title, "Home");
}

TEST(Catalogue, NoBrowserGivesTheEmptyResults) {
  DdeLink link;
  DWORD top = 0;
  Delivered delivered = LauncherRun(link, &top);
  EXPECT_EQ(top, 0xFFFFFFFFu);
  EXPECT_EQ(delivered.result, 1);
  EXPECT_TRUE(delivered.titleNull);
  EXPECT_EQ(delivered.url, "");
}

}  // namespace
