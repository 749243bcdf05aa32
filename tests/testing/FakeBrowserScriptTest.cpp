// The fake browser's text interfaces: its script, its counters file and its
// program's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/FakeBrowserCounters.h"
#include "testing/FakeBrowserProgram.h"
#include "testing/FakeBrowserScript.h"

namespace fake_browser {
namespace {

TEST(FakeBrowserScript, ReadsWindowsCurrentAndMisbehaviour) {
  const std::string text =
      "# two windows, one a frame of the other\n"
      "\n"
      "window 5 \"http://a/\" \"Say \\\"hi\\\" \\\\ there\" \"\" parent=-\n"
      "window 9 http://a/f.htm Frame extra parent=5   # trailing comment\n"
      "current 9\r\n"
      "misbehave unregistered\n"
      "misbehave refuse-connect WWW_Exit\n"
      "misbehave refuse WWW_GetWindowInfo\n"
      "misbehave silent WWW_GetFrameParent 9\n"
      "misbehave list-unterminated\n"
      "misbehave parent-bytes 2\n"
      "misbehave text-unterminated\n"
      "misbehave pad-title 300\n"
      "misbehave slow WWW_GetWindowInfo 250\n";
  Script s;
  std::string error;
  ASSERT_TRUE(ParseScript(text, &s, &error)) << error;
  ASSERT_EQ(s.windows.size(), 2u);
  EXPECT_EQ(s.windows[0].id, 5u);
  EXPECT_EQ(s.windows[0].url, "http://a/");
  EXPECT_EQ(s.windows[0].title, "Say \"hi\" \\ there");
  EXPECT_EQ(s.windows[0].third, "");
  EXPECT_EQ(s.windows[0].parent, kNone);
  EXPECT_EQ(s.windows[1].title, "Frame");
  EXPECT_EQ(s.windows[1].third, "extra");
  EXPECT_EQ(s.windows[1].parent, 5u);
  EXPECT_EQ(s.current, 9u);
  const Misbehaviour& m = s.misbehave;
  EXPECT_TRUE(m.unregistered);
  EXPECT_EQ(m.refusedTopics, std::vector<std::string>{"WWW_Exit"});
  ASSERT_EQ(m.requestFaults.size(), 2u);
  EXPECT_EQ(m.requestFaults[0].topic, "WWW_GetWindowInfo");
  EXPECT_EQ(m.requestFaults[0].item, "");
  EXPECT_FALSE(m.requestFaults[0].silent);
  EXPECT_EQ(m.requestFaults[1].item, "9");
  EXPECT_TRUE(m.requestFaults[1].silent);
  EXPECT_TRUE(m.listUnterminated);
  EXPECT_EQ(m.frameParentBytes, 2u);
  EXPECT_TRUE(m.textUnterminated);
  EXPECT_EQ(m.padTitleTo, 300u);
  ASSERT_EQ(m.slowTopics.size(), 1u);
  EXPECT_EQ(m.slowTopics[0].topic, "WWW_GetWindowInfo");
  EXPECT_EQ(m.slowTopics[0].delayMs, 250u);
}

TEST(FakeBrowserScript, EmptyScriptServesNothingAndBehaves) {
  Script s;
  ASSERT_TRUE(ParseScript("", &s, nullptr));
  EXPECT_TRUE(s.windows.empty());
  EXPECT_EQ(s.current, kNone);
  EXPECT_FALSE(s.misbehave.unregistered);
  EXPECT_EQ(s.misbehave.frameParentBytes, 4u);
}

TEST(FakeBrowserScript, RejectsMalformedLinesNamingTheLine) {
  struct Row {
    const char* name;
    const char* line;
  };
  const Row rows[] = {
      {"id 0", "window 0 u t x"},
      {"id all ones", "window 4294967295 u t x"},
      {"id too large", "window 4294967296 u t x"},
      {"id not decimal", "window 0x5 u t x"},
      {"missing third text", "window 5 u t"},
      {"bad parent", "window 5 u t x parent=abc"},
      {"parent without key", "window 5 u t x 7"},
      {"unclosed quote", "window 5 \"u t x"},
      {"current without id", "current"},
      {"frame parent over 4 bytes", "misbehave parent-bytes 5"},
      {"refuse without topic", "misbehave refuse"},
      {"slow without delay", "misbehave slow WWW_GetFrameParent"},
      {"slow delay not a number", "misbehave slow WWW_GetFrameParent 1s"},
      {"slow over ten minutes", "misbehave slow WWW_GetFrameParent 600001"},
      {"unknown misbehaviour", "misbehave fly"},
      {"unknown statement", "frobnicate"},
  };
  for (const Row& row : rows) {
    Script s;
    s.current = 7;
    std::string error;
    EXPECT_FALSE(ParseScript("current 1\n\n" + std::string(row.line) + "\n", &s, &error))
        << row.name;
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << row.name << ": " << error;
    EXPECT_EQ(s.current, 7u) << row.name << ": a failed parse leaves the script as it was";
  }
}

TEST(FakeBrowserScript, MissingFileIsAnError) {
  Script s;
  std::string error;
  EXPECT_FALSE(ReadScriptFile("no-such-dir/no-such-script.txt", &s, &error));
  EXPECT_NE(error.find("no-such-script.txt"), std::string::npos);
}

TEST(FakeBrowserCounters, FileRoundTripsOddNames) {
  Counters c;
  c.accepted["WWW_ListWindows"] = 1;
  c.accepted["WWW_GetWindowInfo"] = 2;
  c.refused["odd \"topic\" \\ name"] = 3;
  c.requests[{"WWW_GetWindowInfo", "4294967295"}] = 2;
  c.requests[{"WWW_GetWindowInfo", "5"}] = 1;
  c.requests[{"WWW_ListWindows", "item with blanks"}] = 4;
  c.totalRequests = 7;
  Counters back;
  ASSERT_TRUE(ParseCounters(FormatCounters(c), &back));
  EXPECT_EQ(back.accepted, c.accepted);
  EXPECT_EQ(back.refused, c.refused);
  EXPECT_EQ(back.requests, c.requests);
  EXPECT_EQ(back.totalRequests, 7u);
  EXPECT_EQ(back.Requests("WWW_GetWindowInfo", "4294967295"), 2u);
  EXPECT_EQ(back.RequestsOn("WWW_GetWindowInfo"), 3u);
  EXPECT_EQ(back.Requests("WWW_GetFrameParent", "5"), 0u);
  EXPECT_EQ(back.Accepted("WWW_Exit"), 0u);
}

TEST(FakeBrowserCounters, RejectsMalformedFiles) {
  const char* const texts[] = {"accepted WWW_ListWindows", "request a b", "requests x",
                               "refused \"a 1", "total 3"};
  for (const char* text : texts) {
    Counters c;
    EXPECT_FALSE(ParseCounters(text, &c)) << text;
  }
}

TEST(FakeBrowserProgram, ReadsItsCommandLine) {
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* environment;
    bool ok;
    const char* counters;
    unsigned seconds;
    bool frames;
  };
  const Row rows[] = {
      {"defaults", {"--script", "s.txt"}, nullptr, true, "", 30, true},
      {"environment names the counters file",
       {"--script", "s.txt"},
       "env.txt",
       true,
       "env.txt",
       30,
       true},
      {"option overrides the environment",
       {"--counters", "c.txt", "--script", "s.txt"},
       "env.txt",
       true,
       "c.txt",
       30,
       true},
      {"every option",
       {"--script", "s.txt", "--seconds", "5", "--stop-event", "stop", "--ready-event", "ready",
        "--no-frames"},
       nullptr,
       true,
       "",
       5,
       false},
      {"no script", {"--seconds", "5"}, nullptr, false, "", 0, true},
      {"seconds 0", {"--script", "s.txt", "--seconds", "0"}, nullptr, false, "", 0, true},
      {"seconds not a number",
       {"--script", "s.txt", "--seconds", "5s"},
       nullptr,
       false,
       "",
       0,
       true},
      {"missing value", {"--script"}, nullptr, false, "", 0, true},
      {"unknown option", {"--script", "s.txt", "--fast", "1"}, nullptr, false, "", 0, true},
  };
  for (const Row& row : rows) {
    ProgramOptions o;
    std::string error;
    ASSERT_EQ(ParseProgramOptions(row.args, row.environment, &o, &error), row.ok) << row.name;
    if (!row.ok) {
      EXPECT_FALSE(error.empty()) << row.name;
      continue;
    }
    EXPECT_EQ(o.scriptPath, "s.txt") << row.name;
    EXPECT_EQ(o.countersPath, row.counters) << row.name;
    EXPECT_EQ(o.seconds, row.seconds) << row.name;
    EXPECT_EQ(o.frames, row.frames) << row.name;
  }
}

}  // namespace
}  // namespace fake_browser
