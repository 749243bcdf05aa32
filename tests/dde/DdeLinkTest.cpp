// The DDE link's instance and conversation cache against the fake browser.
#include <gtest/gtest.h>

#include <string>

#include "launcher/dde/DdeLink.h"
#include "tests/dde/LinkTestSupport.h"

namespace {

const char kTwoWindows[] =
    "window 5 \"http://a/\" \"Home\" \"\" parent=-\n"
    "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
    "current 9\n";

TEST(DdeLink, OpensItsInstanceWithServiceAndTopicHandles) {
  DdeLink link;
  EXPECT_TRUE(link.initialized);
  EXPECT_NE(link.instanceId, 0u);
  EXPECT_NE(link.browserService, static_cast<HSZ>(0));
  for (int i = 0; i < browser::kTopicCount; ++i) {
    char text[64] = {};
    DdeQueryStringA(link.instanceId, link.topicHandles[i], text, sizeof text, CP_WINANSI);
    EXPECT_STREQ(text, browser::kTopics[i]) << "position " << i;
  }
  EXPECT_EQ(link.conversations.size, 0);
}

TEST(DdeLink, ManyRequestsOnATopicUseOneConversation) {
  auto browser = StartBrowser(kTwoWindows);
  DdeLink link;
  HCONV first = link.ConnectTopic(link.topicHandles[DdeLink::kGetWindowInfo]);
  ASSERT_NE(first, static_cast<HCONV>(0));
  for (int i = 0; i < 25; ++i) {
    BrowserWindowInfo info;
    ASSERT_EQ(link.QueryWindowInfo(&info, 5), 1);
    EXPECT_STREQ(info.url, "http://a/");
    FreeOwnedString(info.title);
    FreeOwnedString(info.extraText);
    EXPECT_EQ(link.ConnectTopic(link.topicHandles[DdeLink::kGetWindowInfo]), first);
  }
  EXPECT_EQ(browser->counters().Accepted(browser::kTopicGetWindowInfo), 1u);
  EXPECT_EQ(browser->counters().Requests(browser::kTopicGetWindowInfo, "5"), 25u);
  EXPECT_EQ(link.conversations.size, 1);
  EXPECT_EQ(link.FindConversation(link.topicHandles[DdeLink::kGetWindowInfo]), first);
  EXPECT_EQ(link.FindConversation(link.topicHandles[DdeLink::kListWindows]), static_cast<HCONV>(0));
}

TEST(DdeLink, WithoutABrowserNothingIsCachedAndTheNextConnectTriesAgain) {
  DdeLink link;
  HSZ topic = link.topicHandles[DdeLink::kListWindows];
  EXPECT_EQ(link.ConnectTopic(topic), static_cast<HCONV>(0));
  EXPECT_EQ(link.ConnectTopic(topic), static_cast<HCONV>(0));
  EXPECT_EQ(link.conversations.size, 0);

  // The browser starts later: the next connect reaches it.
  auto browser = StartBrowser(kTwoWindows);
  EXPECT_NE(link.ConnectTopic(topic), static_cast<HCONV>(0));
  EXPECT_EQ(browser->counters().Accepted(browser::kTopicListWindows), 1u);
  EXPECT_EQ(link.conversations.size, 1);
}

TEST(DdeLink, ARefusedTopicIsAskedForAgainAtEachConnect) {
  auto browser =
      StartBrowser(std::string(kTwoWindows) + "misbehave refuse-connect WWW_GetFrameParent\n");
  DdeLink link;
  EXPECT_EQ(link.QueryFrameParent(9), 0xFFFFFFFFu);
  EXPECT_EQ(link.QueryFrameParent(9), 0xFFFFFFFFu);
  EXPECT_EQ(browser->counters().Refused(browser::kTopicGetFrameParent), 2u);
  EXPECT_EQ(browser->counters().totalRequests, 0u);
  EXPECT_EQ(link.conversations.size, 0);
}

TEST(DdeLink, ATopicHandleOfZeroConnectsToNothing) {
  auto browser = StartBrowser(kTwoWindows);
  DdeLink link;
  // DDEML would take a 0 topic as a wildcard.
  EXPECT_EQ(link.ConnectTopic(0), static_cast<HCONV>(0));
  EXPECT_EQ(link.conversations.size, 0);
  unsigned accepted = 0;
  for (const auto& topic : browser->counters().accepted) {
    accepted += topic.second;
  }
  EXPECT_EQ(accepted, 0u);
}

TEST(DdeLink, ARequestWithoutConversationOrItemSendsNothing) {
  auto browser = StartBrowser(kTwoWindows);
  DdeLink link;
  HSZ topic = link.topicHandles[DdeLink::kListWindows];
  HCONV conversation = link.ConnectTopic(topic);
  ASSERT_NE(conversation, static_cast<HCONV>(0));
  EXPECT_EQ(link.RequestItem(0, topic), static_cast<HDDEDATA>(0));
  EXPECT_EQ(link.RequestItem(conversation, 0), static_cast<HDDEDATA>(0));
  EXPECT_EQ(browser->counters().totalRequests, 0u);
}

TEST(DdeLink, ARefusedOrUnansweredRequestGivesNoReply) {
  auto browser = StartBrowser(std::string(kTwoWindows) + "misbehave refuse WWW_GetFrameParent 9\n");
  DdeLink link;
  EXPECT_EQ(link.QueryFrameParent(9), 0xFFFFFFFFu);
  EXPECT_EQ(link.QueryFrameParent(5), 0xFFFFFFFFu);  // answered: no parent
  EXPECT_EQ(browser->counters().Requests(browser::kTopicGetFrameParent, "9"), 1u);
  EXPECT_EQ(browser->counters().Accepted(browser::kTopicGetFrameParent), 1u);
}

TEST(DdeLink, StringHandlesComeAndGoThroughTheInstance) {
  DdeLink link;
  HSZ handle = link.MakeStringHandle("WWW_OpenURL");
  // The same text, in any case, is the topic handle made at construction.
  EXPECT_EQ(DdeCmpStringHandles(handle, link.topicHandles[DdeLink::kOpenUrl]), 0);
  link.ReleaseStringHandle(handle);
  EXPECT_EQ(link.MakeStringHandle(std::string(256, 'n').c_str()), static_cast<HSZ>(0));
}

}  // namespace
