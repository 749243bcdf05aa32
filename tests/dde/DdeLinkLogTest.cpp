// The DDE link's calls into DDEML, in order, as the in-process DDEML logs
// them: what is made at construction, given back at destruction, and the
// error fetch that follows each listed call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/dde/DdeLink.h"
#include "platform/posix/DdeTestHooks.h"
#include "tests/dde/LinkTestSupport.h"

namespace {

// The link's own calls since the log was cleared, as texts.
std::vector<std::string> CallsOf(DWORD instance) {
  std::vector<std::string> calls;
  for (const posix_dde::DdeCall& call : posix_dde::CallLog()) {
    if (call.instance == instance) {
      calls.push_back(call.text);
    }
  }
  return calls;
}

std::vector<std::string> AllCalls() {
  std::vector<std::string> calls;
  for (const posix_dde::DdeCall& call : posix_dde::CallLog()) {
    calls.push_back(call.text);
  }
  return calls;
}

const char kScript[] =
    "window 5 \"http://a/\" \"Home\" \"\" parent=-\n"
    "current 5\n";

TEST(DdeLinkCalls, ConstructionMakesTheServiceThenTheTopicsInTableOrder) {
  posix_dde::ClearCallLog();
  DdeLink link;
  std::vector<std::string> expected = {"DdeInitializeA", "DdeCreateStringHandleA NETSCAPE",
                                       "DdeGetLastError"};
  for (const char* topic : browser::kTopics) {
    expected.push_back(std::string("DdeCreateStringHandleA ") + topic);
    expected.push_back("DdeGetLastError");
  }
  EXPECT_EQ(CallsOf(link.instanceId), expected);
}

TEST(DdeLinkCalls, DestructionReleasesTopicsThenConversationsThenServiceThenInstance) {
  auto browser = StartBrowser(kScript);
  DWORD instance = 0;
  {
    DdeLink link;
    instance = link.instanceId;
    // Open two conversations, the list first.
    link.RefreshWindowList();
    ASSERT_EQ(link.conversations.size, 3);
    posix_dde::ClearCallLog();
  }
  std::vector<std::string> expected;
  for (const char* topic : browser::kTopics) {
    expected.push_back(std::string("DdeFreeStringHandle ") + topic);
    expected.push_back("DdeGetLastError");
  }
  expected.push_back("DdeDisconnect WWW_ListWindows");
  expected.push_back("DdeDisconnect WWW_GetWindowInfo");
  expected.push_back("DdeDisconnect WWW_GetFrameParent");
  expected.push_back("DdeFreeStringHandle NETSCAPE");
  expected.push_back("DdeGetLastError");
  expected.push_back("DdeUninitialize");
  expected.push_back("DdeGetLastError");
  EXPECT_EQ(CallsOf(instance), expected);
}

TEST(DdeLinkCalls, ARequestIsConnectItemTransactionThenReleases) {
  auto browser = StartBrowser(kScript);
  DdeLink link;
  posix_dde::ClearCallLog();
  EXPECT_EQ(link.QueryFrameParent(5), 0xFFFFFFFFu);
  const std::vector<std::string> expected = {
      "DdeConnect NETSCAPE WWW_GetFrameParent",
      "DdeCreateStringHandleA 5",
      "DdeClientTransaction WWW_GetFrameParent 5 60000",
      "DdeGetLastError",
      "DdeAccessData",
      "DdeUnaccessData",
      "DdeGetLastError",
      "DdeFreeDataHandle",
      "DdeGetLastError",
      "DdeFreeStringHandle 5",
      "DdeGetLastError",
  };
  EXPECT_EQ(CallsOf(link.instanceId), expected);
}

// The window-information topic was not used before the time-out: it is not
// connected to afterwards either.
TEST(DdeLinkCalls, AfterATimedOutRequestARequestMakesItsItemButNoConnectOrTransaction) {
  auto browser = StartBrowser(std::string(kScript) + "misbehave silent WWW_GetFrameParent\n");
  DdeLink link;
  EXPECT_EQ(link.QueryFrameParent(5), 0xFFFFFFFFu);
  ASSERT_TRUE(link.requestTimedOut);
  posix_dde::ClearCallLog();
  BrowserWindowInfo info;
  EXPECT_EQ(link.QueryWindowInfo(&info, 5), 1);
  EXPECT_EQ(info.title, nullptr);
  const std::vector<std::string> expected = {
      "DdeCreateStringHandleA 5",
      "DdeFreeStringHandle 5",
      "DdeGetLastError",
  };
  EXPECT_EQ(CallsOf(link.instanceId), expected);
  EXPECT_EQ(browser->counters().totalRequests, 1u);
}

TEST(DdeLinkCalls, AFailedInitializeLeavesEveryOperationEmptyAndDestructionSilent) {
  auto browser = StartBrowser(kScript);
  posix_dde::ClearCallLog();
  {
    posix_dde::FailNextInitialize(DMLERR_SYS_ERROR);
    DdeLink link;
    EXPECT_FALSE(link.initialized);
    EXPECT_EQ(link.instanceId, 0u);
    EXPECT_EQ(AllCalls(), (std::vector<std::string>{"DdeInitializeA", "DdeGetLastError"}));
    posix_dde::ClearCallLog();

    EXPECT_EQ(link.ConnectTopic(link.topicHandles[DdeLink::kListWindows]), static_cast<HCONV>(0));
    EXPECT_EQ(link.MakeStringHandle("x"), static_cast<HSZ>(0));
    link.ReleaseStringHandle(link.topicHandles[DdeLink::kListWindows]);
    link.RefreshWindowList();
    EXPECT_EQ(link.windowList.size, 0);
    EXPECT_EQ(link.FindCurrentTopWindow(), 0xFFFFFFFFu);
    BrowserWindowInfo info;
    EXPECT_EQ(link.CopyWindowInfo(&info, 0xFFFFFFFF), 1);
    EXPECT_EQ(info.title, nullptr);
    EXPECT_STREQ(info.url, "");
    EXPECT_EQ(link.CopyWindowInfo(&info, 5), 0);
    // Only the item codec touches DDEML then, with no instance.
    for (const std::string& call : AllCalls()) {
      EXPECT_TRUE(call.rfind("DdeConnect", 0) != 0 && call.rfind("DdeClientTransaction", 0) != 0)
          << call;
    }
    posix_dde::ClearCallLog();
  }
  EXPECT_TRUE(AllCalls().empty());
  EXPECT_EQ(browser->counters().totalRequests, 0u);
}

TEST(DdeLinkCalls, NothingIsLeftBehindAfterAWholeRun) {
  size_t strings = posix_dde::LiveStringHandles();
  size_t data = posix_dde::LiveDataHandles();
  {
    auto browser = StartBrowser(
        "window 5 \"http://a/\" \"Home\" \"\" parent=-\n"
        "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
        "current 9\n");
    DdeLink link;
    link.RefreshWindowList();
    BrowserWindowInfo info;
    ASSERT_EQ(link.CopyWindowInfo(&info, link.FindCurrentTopWindow()), 1);
    FreeOwnedString(info.title);
    FreeOwnedString(info.extraText);
    browser->Stop();
  }
  EXPECT_EQ(posix_dde::LiveStringHandles(), strings);
  EXPECT_EQ(posix_dde::LiveDataHandles(), data);
  EXPECT_EQ(posix_dde::LiveConversations(), 0u);
  EXPECT_EQ(posix_dde::LiveInstances(), 0u);
}

}  // namespace
