// Snaplet started as the browsers start their native messaging host: the
// reply, the exit status, and what the meter control receives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/HostProcess.h"
#include "tests/launcher/HostRunner.h"

namespace {

using Calls = std::vector<std::string>;
using host_process::Framed;

const char kOrigin[] = "chrome-extension://lcjooaojphecmbgjembagdmbopnalcaf/";
const std::vector<std::string> kChromium = {kOrigin, "--parent-window=0"};
const std::vector<std::string> kFirefox = {"C:\\Quillary\\quillary.snaplet-firefox.json",
                                           "snaplet@quillary"};
const char kSaved[] = "{\"saved\":true}";

std::string Message(int mode, const std::string& title, const std::string& url) {
  return "{\"mode\":" + std::to_string(mode) + ",\"title\":\"" + title + "\",\"url\":\"" + url +
         "\"}";
}

std::string Call(int dispId, const std::string& argument, const std::string& caption) {
  return std::to_string(dispId) + "\t" + argument + "\t" + caption;
}

struct SavedRow {
  const char* name;
  std::string text;
};

TEST(SnapletHost, WithNoBrowserWindowThePageIsStillSavedFromTheHiddenHost) {
  // Padded with blanks to the largest message a browser may send.
  std::string largest = Message(0, "No window", "http://a/");
  largest.insert(1, 1024 * 1024 - largest.size(), ' ');
  const SavedRow rows[] = {
      {"a plain message", Message(0, "No window", "http://a/")},
      {"other members and spacing",
       R"({ "url" : "http://a/", "x": [1], "title": "No window", "mode": 0.0 })"},
      {"exactly 1 MiB", largest},
  };
  for (const SavedRow& row : rows) {
    SCOPED_TRACE(row.name);
    HostSetup setup;
    setup.arguments = kChromium;
    setup.input = Framed(row.text);
    HostOutcome run = RunSnapletAsHost(setup);
    ASSERT_TRUE(run.ended) << run.failure;
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.reply, kSaved);
    // The host window stayed top-level: its own empty caption.
    EXPECT_EQ(run.controlCalls, (Calls{Call(1, "No window", ""), Call(5, "http://a/", "")}));
  }
}

struct WindowRow {
  const char* name;
  HostSetup setup;  // with the browser's window
  std::string title;
  const char* caption;  // of the window the host moved into
};

TEST(SnapletHost, TheHostMovesIntoTheBrowserWindowNamedOrFoundByItsCaption) {
  if (!BrowserWindowsAvailable()) GTEST_SKIP() << "no browser window natively";
  const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80";  // 日本語 😀
  const std::string firefox = japanese + " \xE2\x80\x94 Mozilla Firefox";                // em dash
  WindowRow rows[] = {
      {"named by a handle inside it, whatever its caption",
       {},
       "Daily News",
       "Another tab - Chromium"},
      {"the foreground window, by the title",
       {},
       "Daily News",
       "Daily News - Work - Microsoft Edge"},
      // The newer windows come first: the title without a blank after it,
      // and the foreground window.
      {"Firefox's window by its caption, a title beyond the ANSI code page",
       {},
       japanese,
       firefox.c_str()},
  };
  rows[0].setup.arguments = {kOrigin, "--parent-window={window}", "--unknown"};
  rows[1].setup.arguments = kChromium;
  rows[1].setup.browserInForeground = true;
  rows[2].setup.arguments = kFirefox;
  rows[2].setup.laterCaptions = {japanese + "2 - Google Chrome", "Terminal"};
  for (WindowRow& row : rows) {
    SCOPED_TRACE(row.name);
    row.setup.throughCmd = row.setup.arguments != kFirefox;
    row.setup.browserCaption = row.caption;
    row.setup.input = Framed(Message(1, row.title, "http://example.jp/\xE3\x81\x82"));
    HostOutcome run = RunSnapletAsHost(row.setup);
    ASSERT_TRUE(run.ended) << run.failure;
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.reply, kSaved);
    EXPECT_EQ(run.controlCalls, (Calls{Call(1, row.title, row.caption),
                                       Call(6, "http://example.jp/\xE3\x81\x82", row.caption)}));
  }
}

struct RefusedRow {
  const char* name;
  std::vector<std::string> arguments;
  std::string input;
  const char* reason;  // as the reply's JSON writes it
  bool controlRegistered;
  const char* controlFail = "";
  size_t controlCalls = 0;  // a call that failed, or the title before it
};

TEST(SnapletHost, ARefusedRequestOrAFailedCallIsAnsweredWithItsReason) {
  const std::string valid = Message(0, "Home", "http://a/");
  const RefusedRow rows[] = {
      {"another Chromium extension",
       {"chrome-extension://abcdefghijklmnopabcdefghijklmnop/"},
       Framed(valid),
       "an extension other than Quillary's",
       true},
      {"another Firefox extension",
       {"/home/u/host.json", "other@example.org"},
       Framed(valid),
       "an extension other than Quillary's",
       true},
      {"a length above 1 MiB", kChromium, std::string("\x01\x00\x10\x00", 4) + valid,
       "longer than 1 MiB", true},
      {"no message", kChromium, "", "ended early", true},
      {"a stream that ends in the text", kChromium, Framed(valid).substr(0, 20), "ended early",
       true},
      {"not JSON", kChromium, Framed("mode=0&url=http://a/"), "not a JSON object", true},
      {"an array", kChromium, Framed("[0, \"Home\", \"http://a/\"]"), "not a JSON object", true},
      {"text after the object", kChromium, Framed(valid + " {}"), "not a JSON object", true},
      {"invalid UTF-8", kChromium, Framed(Message(0, "Caf\xE9", "http://a/")), "not valid UTF-8",
       true},
      {"mode 2", kChromium, Framed(Message(2, "Home", "http://a/")), R"(\"mode\" is not 0 or 1)",
       true},
      {"mode as text", kChromium, Framed("{\"mode\":\"1\",\"title\":\"t\",\"url\":\"http://a/\"}"),
       R"(\"mode\" is not 0 or 1)", true},
      {"mode twice", kChromium,
       Framed("{\"mode\":0,\"mode\":1,\"title\":\"t\",\"url\":\"http://a/\"}"),
       R"(names \"mode\" more than once)", true},
      {"no title", kChromium, Framed("{\"mode\":0,\"url\":\"http://a/\"}"),
       R"(\"title\" is not a string)", true},
      {"an empty URL", kChromium, Framed(Message(0, "Home", "")),
       R"(\"url\" is not a non-empty string)", true},
      {"an escaped zero", kChromium, Framed(Message(0, "a\\u0000b", "http://a/")), "zero character",
       true},
      {"a lone surrogate", kChromium, Framed(Message(0, "a\\udc00", "http://a/")),
       "not valid Unicode", true},
      {"the control not installed", kChromium, Framed(valid), "meter control is not installed",
       false},
      // A title the control refuses is not followed by a save request.
      {"the title refused", kChromium, Framed(valid), "did not take the page's title", true, "1",
       1},
      {"the save request refused", kChromium, Framed(valid), "did not save the page", true, "5", 2},
  };
  for (const RefusedRow& row : rows) {
    SCOPED_TRACE(row.name);
    HostSetup setup;
    setup.arguments = row.arguments;
    setup.input = row.input;
    setup.controlRegistered = row.controlRegistered;
    setup.controlFail = row.controlFail;
    HostOutcome run = RunSnapletAsHost(setup);
    ASSERT_TRUE(run.ended) << run.failure;
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.reply.rfind("{\"saved\":false,\"error\":\"", 0), 0u) << run.reply;
    EXPECT_NE(run.reply.find(row.reason), std::string::npos) << run.reply;
    EXPECT_EQ(run.controlCalls.size(), row.controlCalls);
  }
}

}  // namespace
