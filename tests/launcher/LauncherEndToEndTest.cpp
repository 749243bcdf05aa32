// The launcher run for real: what the meter control receives, what the user
// sees and what the browser is asked, for the runs a user meets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/launcher/LauncherRunner.h"

namespace {

using Calls = std::vector<std::string>;

const char kNotRunning[] = "This program requires Netscape to be running";

// Window 9 is a frame of window 5; the current window shows window 9's page.
const char kFramedPage[] =
    "window 5 \"http://news.example/\" \"Daily News\" \"\" parent=-\n"
    "window 9 \"http://news.example/story.htm\" \"Story\" \"\" parent=5\n"
    "current 9\n";

LauncherSetup RunOf(const std::string& script, const std::string& commandLine) {
  LauncherSetup setup;
  setup.browserScript = script;
  setup.commandLine = commandLine;
  return setup;
}

// What a run saw, for a failure's message.
std::string Seen(const LauncherOutcome& run) {
  std::string seen = "messages:";
  for (const std::string& message : run.messages) seen += " [" + message + "]";
  seen += " control calls:";
  for (const std::string& call : run.controlCalls) seen += " [" + call + "]";
  return seen;
}

std::string Call(int dispId, const std::string& argument, const std::string& topCaption) {
  return std::to_string(dispId) + "\t" + argument + "\t" + topCaption;
}

TEST(Launcher, AFramedPageIsSavedFromItsTopWindowWithTheSecondRequest) {
  LauncherOutcome run = RunLauncher(RunOf(kFramedPage, "x1"));
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.controlCalls, (Calls{Call(1, "Daily News", "Daily News - Netscape"),
                                     Call(6, "http://news.example/", "Daily News - Netscape")}));
  EXPECT_TRUE(run.messages.empty());
  // The list, two questions per window, and the current window.
  EXPECT_EQ(run.counters.totalRequests, 1u + 2u * 2u + 1u);
  EXPECT_EQ(AcceptedConversations(run.counters), 3u);
}

TEST(Launcher, ModeOneOnlyAsSecondCharacterSelectsTheFirstRequestOtherwise) {
  LauncherOutcome run = RunLauncher(RunOf(kFramedPage, "1"));
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.controlCalls, (Calls{Call(1, "Daily News", "Daily News - Netscape"),
                                     Call(5, "http://news.example/", "Daily News - Netscape")}));
}

TEST(Launcher, ThePageOfATopWindowIsAskedForAfresh) {
  LauncherOutcome run =
      RunLauncher(RunOf("window 5 \"http://a/\" \"Home\" \"\" parent=-\ncurrent 5\n", ""));
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.controlCalls,
            (Calls{Call(1, "Home", "Home - Netscape"), Call(5, "http://a/", "Home - Netscape")}));
  EXPECT_EQ(run.counters.Requests("WWW_GetWindowInfo", "4294967295"), 2u);
  EXPECT_EQ(run.counters.totalRequests, 1u + 2u + 2u);
}

TEST(Launcher, WithoutABrowserTheUserIsToldAndTheControlGetsNothing) {
  LauncherOutcome run = RunLauncher(RunOf("", "x1"));
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.messages, (Calls{kNotRunning}));
  EXPECT_TRUE(run.controlCalls.empty());
}

TEST(Launcher, AnUnregisteredControlOpensNoConversationAndShowsNothing) {
  LauncherSetup setup = RunOf(kFramedPage, "x1");
  setup.controlRegistered = false;
  LauncherOutcome run = RunLauncher(setup);
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(AcceptedConversations(run.counters), 0u);
  EXPECT_EQ(run.counters.totalRequests, 0u);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_TRUE(run.controlCalls.empty());
}

TEST(Launcher, AFailedCallIntoTheControlStillEndsTheRunNormally) {
  LauncherSetup setup = RunOf(kFramedPage, "x1");
  setup.controlFail = "1";
  LauncherOutcome run = RunLauncher(setup);
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.exitCode, 0);
  ASSERT_EQ(run.controlCalls.size(), 2u);
  EXPECT_EQ(run.controlCalls[1], Call(6, "http://news.example/", "Daily News - Netscape"));
  EXPECT_TRUE(run.messages.empty());
}

TEST(Launcher, ATitleWithoutItsBrowserWindowIsToldAsNoBrowser) {
  // The browser names its window differently: no caption matches.
  LauncherOutcome run = RunLauncher(RunOf(
      "window 5 \"http://a/\" \"Home\" \"\" parent=-\ncurrent 5\nmisbehave pad-title 300\n", ""));
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.messages, (Calls{kNotRunning}));
  EXPECT_TRUE(run.controlCalls.empty());
}

// n windows, each but the first a frame of the first; the current window
// shows the last one's page.
std::string Frames(int n) {
  std::string script;
  for (int i = 1; i <= n; ++i) {
    script += "window " + std::to_string(i) + " \"http://a/" + std::to_string(i) + "\" \"Page " +
              std::to_string(i) + "\" \"\" parent=" + (i == 1 ? "-" : "1") + "\n";
  }
  return script + "current " + std::to_string(n) + "\n";
}

// Starting the launcher, reading its message box and its end, beside the waits.
constexpr unsigned kRunSlackMs = 10000;

struct SilentRow {
  const char* name;
  std::string windows;
  const char* silentTopic;
  // Sent, and conversations opened: the topics asked up to the silent one.
  unsigned requests, connects;
};

TEST(Launcher, ABrowserThatStopsAnsweringCostsOneWaitThenTheUserIsTold) {
  const SilentRow rows[] = {
      // The list, the first window's information, and its frame parent.
      {"2 windows", kFramedPage, "WWW_GetFrameParent", 3, 3},
      {"20 windows", Frames(20), "WWW_GetFrameParent", 3, 3},
      // The list and the first window's information: the frame-parent topic
      // is never connected to.
      {"silent on window information", Frames(20), "WWW_GetWindowInfo", 2, 2},
  };
  for (const SilentRow& row : rows) {
    SCOPED_TRACE(row.name);
    LauncherSetup setup = RunOf(row.windows + "misbehave silent " + row.silentTopic + "\n", "x1");
    setup.shortRequestWait = true;
    LauncherOutcome run = RunLauncher(setup);
    ASSERT_TRUE(run.ended) << Seen(run);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.messages, (Calls{kNotRunning}));
    EXPECT_TRUE(run.controlCalls.empty());
    // After the request that got no answer nothing more was sent, and no
    // conversation opened.
    EXPECT_EQ(run.counters.RequestsOn(row.silentTopic), 1u);
    EXPECT_EQ(run.counters.totalRequests, row.requests);
    EXPECT_EQ(run.counters.AllConnects(), row.connects);
    EXPECT_GE(run.elapsedMs, UnansweredRequestCostMs());
    EXPECT_LT(run.elapsedMs, UnansweredRequestCostMs() + kRunSlackMs);
  }
}

TEST(Launcher, ASlowBrowserThatAnswersWithinTheWaitIsSavedFromAsUsual) {
  LauncherSetup setup =
      RunOf(std::string(kFramedPage) + "misbehave slow WWW_GetFrameParent 1500\n", "x1");
  setup.shortRequestWait = true;
  LauncherOutcome run = RunLauncher(setup);
  ASSERT_TRUE(run.ended) << Seen(run);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.controlCalls, (Calls{Call(1, "Daily News", "Daily News - Netscape"),
                                     Call(6, "http://news.example/", "Daily News - Netscape")}));
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.counters.RequestsOn("WWW_GetFrameParent"), 2u);
  EXPECT_EQ(run.counters.totalRequests, 1u + 2u * 2u + 1u);
  EXPECT_GE(run.elapsedMs, 2u * 1500u);
}

struct HostileRow {
  const char* name;
  const char* misbehaviour;
};

TEST(Launcher, HostileBrowsersEndWithTheNormalTeardown) {
  const HostileRow rows[] = {
      {"frame parents in a cycle",
       "window 5 \"http://a/\" \"Home\" \"\" parent=9\n"
       "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
       "current 9\n"},
      {"a list without its closing zero", "misbehave list-unterminated\n"},
      {"a short frame-parent reply", "misbehave parent-bytes 2\n"},
      {"texts without their zero", "misbehave text-unterminated\n"},
      {"no answer about frame parents", "misbehave refuse WWW_GetFrameParent\n"},
  };
  for (const HostileRow& row : rows) {
    SCOPED_TRACE(row.name);
    std::string script = std::string(row.misbehaviour).rfind("window", 0) == 0
                             ? std::string(row.misbehaviour)
                             : std::string(kFramedPage) + row.misbehaviour;
    LauncherOutcome run = RunLauncher(RunOf(script, "x1"));
    ASSERT_TRUE(run.ended) << Seen(run);
    EXPECT_EQ(run.exitCode, 0);
    // Either the control got the page or the user was told, never both.
    EXPECT_NE(run.controlCalls.empty(), run.messages.empty());
    EXPECT_LE(run.controlCalls.size(), 2u);
  }
}

}  // namespace
