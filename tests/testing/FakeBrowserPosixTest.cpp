// What only the POSIX build of the fake browser has: a server on the DDEML
// stand-in, which must give back every handle it takes and can run only
// once per process.
#include <gtest/gtest.h>

#include <string>

#include "browser/BrowserInterface.h"
#include "platform/posix/DdeTestHooks.h"
#include "testing/FakeBrowser.h"
#include "tests/testing/DdeTestClient.h"

namespace fake_browser {
namespace {

const char kScript[] =
    "window 5 \"http://a/\" \"Home\" \"\"\n"
    "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
    "current 9\n"
    "misbehave refuse WWW_GetFrameParent 5\n"
    "misbehave silent WWW_GetFrameParent 9\n";

TEST(FakeBrowserPosix, GivesBackEveryHandleItTakes) {
  const size_t instances = posix_dde::LiveInstances();
  const size_t strings = posix_dde::LiveStringHandles();
  const size_t data = posix_dde::LiveDataHandles();
  {
    auto browser = StartedBrowser(kScript);
    DdeTestClient client;
    HCONV list = client.Connect(browser::kTopicListWindows);
    HCONV info = client.Connect(browser::kTopicGetWindowInfo);
    HCONV parent = client.Connect(browser::kTopicGetFrameParent);
    EXPECT_TRUE(client.Request(list, browser::kTopicListWindows).answered);
    EXPECT_TRUE(client.Request(info, "4294967295").answered);
    EXPECT_FALSE(client.Request(info, "6").answered);
    EXPECT_FALSE(client.Request(parent, "5").answered);
    EXPECT_FALSE(client.Request(parent, "9", 100).answered);
    EXPECT_FALSE(client.Connect("WWW_NoSuchTopic"));
    EXPECT_EQ(browser->counters().totalRequests, 5u);
  }
  EXPECT_EQ(posix_dde::LiveInstances(), instances);
  EXPECT_EQ(posix_dde::LiveStringHandles(), strings);
  EXPECT_EQ(posix_dde::LiveDataHandles(), data);
  EXPECT_EQ(posix_dde::LiveConversations(), 0u);
}

TEST(FakeBrowserPosix, OnlyOneRunsAtATime) {
  Script script;
  ASSERT_TRUE(ParseScript(kScript, &script, nullptr));
  FakeBrowser first(script);
  FakeBrowser second(script);
  ASSERT_TRUE(first.Start());
  EXPECT_FALSE(second.Start());
  first.Stop();
  EXPECT_TRUE(second.Start());
}

}  // namespace
}  // namespace fake_browser
