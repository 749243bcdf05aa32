// The fake browser as a DDE client sees it, in the test's own process: what
// it answers, how each misbehaviour shows, and what it counts.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "browser/BrowserInterface.h"
#include "testing/FakeBrowser.h"
#include "tests/testing/DdeTestClient.h"

namespace fake_browser {
namespace {

using browser::kTopicGetFrameParent;
using browser::kTopicGetWindowInfo;
using browser::kTopicListWindows;

// Window 9 is a frame of window 5 and the current window.
const char kTwoWindows[] = R"(
window 5 "http://a/index.htm" "Home" "first"
window 9 "http://a/f.htm" "Say \"hi\"" "C:\\dir\\" parent=5
window 70000 "http://b/" "" ""
current 9
)";

std::vector<uint8_t> Bytes(const std::string& text, bool zero = true) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  if (zero) bytes.push_back(0);
  return bytes;
}

std::vector<uint8_t> Id(uint32_t id) {
  return {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id >> 16),
          static_cast<uint8_t>(id >> 24)};
}

TEST(FakeBrowserDde, ListsWindowIdsLittleEndianEndedByZero) {
  auto browser = StartedBrowser(kTwoWindows);
  DdeTestClient client;
  HCONV list = client.Connect(kTopicListWindows);
  ASSERT_TRUE(list);
  const Answer a = client.Request(list, kTopicListWindows);
  ASSERT_TRUE(a.answered);
  const std::vector<uint8_t> expected = {5, 0, 0, 0, 9, 0, 0, 0, 0x70, 0x11, 0x01, 0, 0, 0, 0, 0};
  EXPECT_EQ(a.bytes, expected);
}

TEST(FakeBrowserDde, EmptyBrowserListsOnlyTheZeroId) {
  auto browser = StartedBrowser("");
  DdeTestClient client;
  const Answer a = client.Request(client.Connect(kTopicListWindows), kTopicListWindows);
  ASSERT_TRUE(a.answered);
  EXPECT_EQ(a.bytes, Id(0));
}

TEST(FakeBrowserDde, AnswersWindowInformationAndFrameParents) {
  struct Row {
    const char* item;
    const char* info;
    uint32_t parent;
  };
  const Row rows[] = {
      {"5", R"("http://a/index.htm","Home","first")", browser::kNoWindow},
      // Quotes get a backslash before them; other backslashes stand as they are.
      {"9", R"("http://a/f.htm","Say \"hi\"","C:\dir\")", 5},
      {"4294967295", R"("http://a/f.htm","Say \"hi\"","C:\dir\")", 5},
      {"70000", R"("http://b/","","")", browser::kNoWindow},
  };
  auto browser = StartedBrowser(kTwoWindows);
  DdeTestClient client;
  HCONV info = client.Connect(kTopicGetWindowInfo);
  HCONV parent = client.Connect(kTopicGetFrameParent);
  ASSERT_TRUE(info && parent);
  for (const Row& row : rows) {
    const Answer i = client.Request(info, row.item);
    ASSERT_TRUE(i.answered) << row.item;
    EXPECT_EQ(i.bytes, Bytes(row.info)) << row.item;
    const Answer p = client.Request(parent, row.item);
    ASSERT_TRUE(p.answered) << row.item;
    EXPECT_EQ(p.bytes, Id(row.parent)) << row.item;
  }
}

TEST(FakeBrowserDde, RefusedRequestsFailAtTheClient) {
  struct Row {
    const char* name;
    const char* extraScript;
    const char* topic;
    const char* item;
    UINT format;
  };
  const Row rows[] = {
      {"unknown window", "", kTopicGetWindowInfo, "6", CF_TEXT},
      {"unknown window's parent", "", kTopicGetFrameParent, "6", CF_TEXT},
      {"item not a number", "", kTopicGetWindowInfo, "5x", CF_TEXT},
      {"list asked with another item", "", kTopicListWindows, kTopicGetWindowInfo, CF_TEXT},
      {"no current window", "current -", kTopicGetWindowInfo, "4294967295", CF_TEXT},
      {"format other than text", "", kTopicGetWindowInfo, "5", 13},
      {"topic without requests", "", browser::kTopicOpenUrl, "5", CF_TEXT},
      {"topic refused", "misbehave refuse WWW_ListWindows", kTopicListWindows, kTopicListWindows,
       CF_TEXT},
      {"item refused", "misbehave refuse WWW_GetFrameParent 9", kTopicGetFrameParent, "9", CF_TEXT},
      {"item refused, any case", "misbehave refuse www_getwindowinfo 5", kTopicGetWindowInfo, "5",
       CF_TEXT},
  };
  for (const Row& row : rows) {
    auto browser = StartedBrowser(std::string(kTwoWindows) + row.extraScript + "\n");
    DdeTestClient client;
    HCONV conversation = client.Connect(row.topic);
    ASSERT_TRUE(conversation) << row.name;
    const Answer a = client.Request(conversation, row.item, 10000, row.format);
    EXPECT_FALSE(a.answered) << row.name;
    EXPECT_EQ(a.error, static_cast<UINT>(DMLERR_NOTPROCESSED)) << row.name;
    EXPECT_EQ(browser->counters().Requests(FakeBrowserCore::CanonicalTopic(row.topic), row.item),
              1u)
        << row.name;
  }
}

TEST(FakeBrowserDde, RefusingOneItemLeavesTheOthersAnswered) {
  auto browser =
      StartedBrowser(std::string(kTwoWindows) + "misbehave refuse WWW_GetFrameParent 9\n");
  DdeTestClient client;
  HCONV parent = client.Connect(kTopicGetFrameParent);
  EXPECT_FALSE(client.Request(parent, "9").answered);
  EXPECT_EQ(client.Request(parent, "5").bytes, Id(browser::kNoWindow));
  EXPECT_FALSE(client.Request(parent, "9").answered);
}

TEST(FakeBrowserDde, SilentRequestLeavesTheClientWaitingForItsTimeOut) {
  auto browser =
      StartedBrowser(std::string(kTwoWindows) + "misbehave silent WWW_GetFrameParent 9\n");
  DdeTestClient client;
  HCONV parent = client.Connect(kTopicGetFrameParent);
  ASSERT_TRUE(parent);
  const auto start = std::chrono::steady_clock::now();
  const Answer a = client.Request(parent, "9", 300);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_FALSE(a.answered);
  EXPECT_EQ(a.error, static_cast<UINT>(DMLERR_DATAACKTIMEOUT));
#ifdef _WIN32
  EXPECT_GE(waited, std::chrono::milliseconds(250));
#else
  (void)waited;  // the in-process stand-in reports the time-out without waiting
#endif
  EXPECT_EQ(browser->counters().Requests(kTopicGetFrameParent, "9"), 1u);
}

TEST(FakeBrowserDde, ASlowTopicAnswersInFullAfterItsDelay) {
  auto browser =
      StartedBrowser(std::string(kTwoWindows) + "misbehave slow WWW_GetFrameParent 300\n");
  DdeTestClient client;
  HCONV parent = client.Connect(kTopicGetFrameParent);
  ASSERT_TRUE(parent);
  for (int i = 0; i < 2; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const Answer a = client.Request(parent, "9", 5000);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(280));
    EXPECT_TRUE(a.answered);
    EXPECT_EQ(a.bytes, Id(5));
  }
  EXPECT_EQ(client.Request(client.Connect(kTopicGetWindowInfo), "5").bytes,
            Bytes(R"("http://a/index.htm","Home","first")"));
  EXPECT_EQ(browser->counters().RequestsOn(kTopicGetFrameParent), 2u);
}

TEST(FakeBrowserDde, ShortAndUnterminatedRepliesCarryExactlyTheirBytes) {
  struct Row {
    const char* name;
    const char* misbehave;
    const char* topic;
    const char* item;
    std::vector<uint8_t> expected;
  };
  std::string padded = R"("http://a/index.htm","Home)" + std::string(296, 'x') + R"(","first")";
  const Row rows[] = {
      {"list without its zero id",
       "list-unterminated",
       kTopicListWindows,
       kTopicListWindows,
       {5, 0, 0, 0, 9, 0, 0, 0, 0x70, 0x11, 0x01, 0}},
      {"frame parent in 2 bytes", "parent-bytes 2", kTopicGetFrameParent, "9", {5, 0}},
      {"frame parent in 1 byte", "parent-bytes 1", kTopicGetFrameParent, "5", {0xFF}},
      {"text without its zero", "text-unterminated", kTopicGetWindowInfo, "5",
       Bytes(R"("http://a/index.htm","Home","first")", false)},
      {"text over 255 characters", "pad-title 300", kTopicGetWindowInfo, "5", Bytes(padded)},
  };
  for (const Row& row : rows) {
    auto browser = StartedBrowser(std::string(kTwoWindows) + "misbehave " + row.misbehave + "\n");
    DdeTestClient client;
    const Answer a = client.Request(client.Connect(row.topic), row.item);
    ASSERT_TRUE(a.answered) << row.name;
    EXPECT_EQ(a.bytes, row.expected) << row.name;
  }
  EXPECT_GT(padded.size(), 255u);
}

TEST(FakeBrowserDde, UnregisteredServiceAcceptsNoConversation) {
  auto browser = StartedBrowser(std::string(kTwoWindows) + "misbehave unregistered\n");
  DdeTestClient client;
  for (const char* topic : browser::kTopics) EXPECT_FALSE(client.Connect(topic)) << topic;
  EXPECT_TRUE(browser->counters().accepted.empty());
}

TEST(FakeBrowserDde, ConnectsOnItsTopicsInAnyCaseAndCountsRefusals) {
  auto browser =
      StartedBrowser(std::string(kTwoWindows) + "misbehave refuse-connect WWW_GetFrameParent\n");
  DdeTestClient client;
  EXPECT_FALSE(client.Connect(kTopicGetFrameParent));
  EXPECT_FALSE(client.Connect("WWW_NoSuchTopic"));
  HCONV list = client.Connect("www_listwindows");
  ASSERT_TRUE(list);
  EXPECT_TRUE(client.Request(list, "WWW_LISTWINDOWS").answered);
  EXPECT_TRUE(client.Connect(browser::kTopicExit));
  const Counters& c = browser->counters();
  EXPECT_EQ(c.Refused(kTopicGetFrameParent), 1u);
  EXPECT_EQ(c.Refused("WWW_NoSuchTopic"), 1u);
  EXPECT_EQ(c.Accepted(kTopicListWindows), 1u);
  EXPECT_EQ(c.RequestsOn(kTopicListWindows), 1u);
  EXPECT_EQ(c.Accepted(browser::kTopicExit), 1u);
  EXPECT_EQ(c.Accepted(kTopicGetFrameParent), 0u);
}

TEST(FakeBrowserDde, CountsConnectsAndRequestsPerItem) {
  auto browser = StartedBrowser(kTwoWindows);
  DdeTestClient client;
  HCONV list = client.Connect(kTopicListWindows);
  HCONV info = client.Connect(kTopicGetWindowInfo);
  HCONV parent = client.Connect(kTopicGetFrameParent);
  client.Request(list, kTopicListWindows);
  client.Request(info, "5");
  client.Request(info, "5");
  client.Request(info, "4294967295");
  client.Request(info, "6");
  client.Request(parent, "9");
  const Counters& c = browser->counters();
  EXPECT_EQ(c.Accepted(kTopicListWindows), 1u);
  EXPECT_EQ(c.Accepted(kTopicGetWindowInfo), 1u);
  EXPECT_EQ(c.Accepted(kTopicGetFrameParent), 1u);
  EXPECT_TRUE(c.refused.empty());
  EXPECT_EQ(c.Requests(kTopicGetWindowInfo, "5"), 2u);
  EXPECT_EQ(c.Requests(kTopicGetWindowInfo, "4294967295"), 1u);
  EXPECT_EQ(c.Requests(kTopicGetWindowInfo, "6"), 1u);
  EXPECT_EQ(c.Requests(kTopicGetFrameParent, "9"), 1u);
  EXPECT_EQ(c.RequestsOn(kTopicGetWindowInfo), 4u);
  EXPECT_EQ(c.totalRequests, 6u);
}

// Asking for the same item again and again on one conversation, as the
// launcher does for the current window, is answered every time.
TEST(FakeBrowserDde, AnswersTheSameItemAThousandTimesInARow) {
  auto browser = StartedBrowser(kTwoWindows);
  DdeTestClient client;
  HCONV info = client.Connect(kTopicGetWindowInfo);
  ASSERT_TRUE(info);
  int answered = 0;
  for (int i = 0; i < 1000; ++i) answered += client.Request(info, "4294967295").answered ? 1 : 0;
  EXPECT_EQ(answered, 1000);
  EXPECT_EQ(browser->counters().Requests(kTopicGetWindowInfo, "4294967295"), 1000u);
  EXPECT_EQ(browser->counters().Accepted(kTopicGetWindowInfo), 1u);
}

TEST(FakeBrowserDde, StopEndsConversationsAndWithdrawsTheService) {
  auto browser = StartedBrowser(kTwoWindows);
  DdeTestClient client;
  HCONV info = client.Connect(kTopicGetWindowInfo);
  ASSERT_TRUE(client.Request(info, "5").answered);
  browser->Stop();
  EXPECT_FALSE(browser->Running());
  EXPECT_FALSE(client.Request(info, "5").answered);
  EXPECT_FALSE(client.Connect(kTopicListWindows));
  EXPECT_EQ(browser->counters().totalRequests, 1u);
  // A stopped browser starts again, and another can take its place. (The
  // client keeps its ended conversation, so it asks on other topics.)
  ASSERT_TRUE(browser->Start());
  EXPECT_TRUE(client.Request(client.Connect(kTopicGetFrameParent), "9").answered);
  browser.reset();
  auto second = StartedBrowser(kTwoWindows);
  EXPECT_TRUE(client.Request(client.Connect(kTopicListWindows), kTopicListWindows).answered);
}

TEST(FakeBrowserDde, StartsOnlyOnce) {
  auto browser = StartedBrowser(kTwoWindows);
  EXPECT_FALSE(browser->Start());
  EXPECT_TRUE(browser->Running());
}

}  // namespace
}  // namespace fake_browser
