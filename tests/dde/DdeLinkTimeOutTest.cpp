// A browser that stops answering: once one request of the link has timed
// out, no later conversation is opened and no later request is sent, so
// that a whole run waits one time-out at most; a browser that answers
// slowly, or refuses, changes nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "launcher/dde/DdeLink.h"
#include "tests/dde/LinkTestSupport.h"
#include "tests/dde/ShortRequestWait.h"

namespace {

// Under Wine an unanswered request waits this long instead of a minute.
constexpr DWORD kWaitMs = 1500;
// Room for everything but the waits: the requests that are answered.
constexpr long kSlackMs = 1000;

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

struct CatalogueRun {
  DWORD topWindow;
  std::string title;  // "<null>" when none was delivered
  bool timedOut;
  long elapsedMs;
};

// What the launcher's start-up asks of the link, timed.
CatalogueRun RunCatalogue() {
  const auto start = std::chrono::steady_clock::now();
  DdeLink link;
  link.RefreshWindowList();
  CatalogueRun run;
  run.topWindow = link.FindCurrentTopWindow();
  BrowserWindowInfo info = {};
  link.CopyWindowInfo(&info, run.topWindow);
  run.title = info.title != nullptr ? info.title : "<null>";
  FreeOwnedString(info.title);
  FreeOwnedString(info.extraText);
  run.timedOut = link.requestTimedOut;
  run.elapsedMs = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
  return run;
}

struct SilentRow {
  const char* name;
  int windows;
  const char* silentTopic;
  unsigned listRequests, infoRequests, parentRequests;
  // Conversations opened: each topic asked before the time-out, once.
  unsigned listConnects, infoConnects, parentConnects;
};

TEST(DdeLinkTimeOut, OneUnansweredRequestEndsTheRequestsOfTheRun) {
  const SilentRow rows[] = {
      // The first frame-parent request is the one that times out.
      {"frame parents, 2 windows", 2, "WWW_GetFrameParent", 1, 1, 1, 1, 1, 1},
      {"frame parents, 20 windows", 20, "WWW_GetFrameParent", 1, 1, 1, 1, 1, 1},
      // The frame-parent topic, not used yet, is not connected to afterwards.
      {"window information, 20 windows", 20, "WWW_GetWindowInfo", 1, 1, 0, 1, 1, 0},
      {"the window list", 20, "WWW_ListWindows", 1, 0, 0, 1, 0, 0},
  };
  for (const SilentRow& row : rows) {
    SCOPED_TRACE(row.name);
    ShortRequestWait wait(kWaitMs);
    ASSERT_TRUE(wait.active());
    auto browser = StartBrowser(Frames(row.windows) + "misbehave silent " + row.silentTopic + "\n");
    const CatalogueRun run = RunCatalogue();
    EXPECT_TRUE(run.timedOut);
    // Nothing is known: no top window, no title, as with no browser at all.
    EXPECT_EQ(run.topWindow, 0xFFFFFFFFu);
    EXPECT_EQ(run.title, "<null>");
    const fake_browser::Counters& c = browser->counters();
    EXPECT_EQ(c.RequestsOn("WWW_ListWindows"), row.listRequests);
    EXPECT_EQ(c.RequestsOn("WWW_GetWindowInfo"), row.infoRequests);
    EXPECT_EQ(c.RequestsOn("WWW_GetFrameParent"), row.parentRequests);
    EXPECT_EQ(c.totalRequests, row.listRequests + row.infoRequests + row.parentRequests);
    EXPECT_EQ(c.Connects("WWW_ListWindows"), row.listConnects);
    EXPECT_EQ(c.Connects("WWW_GetWindowInfo"), row.infoConnects);
    EXPECT_EQ(c.Connects("WWW_GetFrameParent"), row.parentConnects);
    EXPECT_EQ(c.AllConnects(), row.listConnects + row.infoConnects + row.parentConnects);
    EXPECT_GE(run.elapsedMs, static_cast<long>(wait.waitMs()) - 100);
    EXPECT_LT(run.elapsedMs, static_cast<long>(wait.waitMs()) + kSlackMs);
    // The link made no transaction beyond those the browser received, and
    // each asked for the full minute.
    EXPECT_EQ(wait.asked(), std::vector<DWORD>(c.totalRequests, 60000u));
  }
}

struct AnsweredRow {
  const char* name;
  const char* misbehaviour;
  DWORD topWindow;
  const char* title;
};

TEST(DdeLinkTimeOut, ABrowserThatAnswersOrRefusesIsAskedEverything) {
  const AnsweredRow rows[] = {
      // Each answer comes well within the wait, though late.
      {"slow frame parents", "misbehave slow WWW_GetFrameParent 500\n", 1, "Page 1"},
      {"slow window information", "misbehave slow WWW_GetWindowInfo 300\n", 1, "Page 1"},
      // A refusal is an answer: the next request is sent as usual.
      {"refused frame parents", "misbehave refuse WWW_GetFrameParent\n", 0xFFFFFFFF, "Page 3"},
      {"one window's parent refused", "misbehave refuse WWW_GetFrameParent 2\n", 1, "Page 1"},
  };
  for (const AnsweredRow& row : rows) {
    SCOPED_TRACE(row.name);
    ShortRequestWait wait(kWaitMs);
    auto browser = StartBrowser(Frames(3) + row.misbehaviour);
    const CatalogueRun run = RunCatalogue();
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.topWindow, row.topWindow);
    EXPECT_EQ(run.title, row.title);
    const fake_browser::Counters& c = browser->counters();
    EXPECT_EQ(c.RequestsOn("WWW_GetFrameParent"), 3u);
    // Three windows and the current one, once more when the current window
    // is asked for afresh.
    EXPECT_EQ(c.RequestsOn("WWW_GetWindowInfo"), row.topWindow == 0xFFFFFFFF ? 5u : 4u);
  }
}

}  // namespace
