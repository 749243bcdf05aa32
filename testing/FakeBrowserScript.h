// What the fake browser serves: its windows, its current window, and the
// ways in which it is told to misbehave.
//
// Script text, one statement per line ('#' starts a comment; tokens as in
// FakeBrowserText.h, so texts with blanks or quotes go in double quotes):
//
//   window <id> <url> <title> <third> [parent=<id>|parent=-]
//                                 a browser window, listed in script order;
//                                 ids are decimal, "-" is 0xFFFFFFFF (no frame
//                                 parent, the default). Parents are served as
//                                 written: a parent that is not listed, or
//                                 parents that form a cycle, are allowed
//   current <id>|-                the browser's current window (default: none),
//                                 served for the id 4294967295
//   misbehave unregistered        the service is not offered at all
//   misbehave refuse-connect <topic>
//                                 conversations on the topic are refused
//   misbehave refuse <topic> [<item>]
//                                 requests on the topic (or only for the item)
//                                 are refused: the client sees them fail
//   misbehave silent <topic> [<item>]
//                                 such requests get no answer at all: the
//                                 client waits for its time-out
//   misbehave slow <topic> <ms>   requests on the topic are answered as usual,
//                                 but only after <ms> milliseconds (a busy
//                                 browser, up to 600000)
//   misbehave list-unterminated   the window list lacks its closing 0 id
//   misbehave parent-bytes <n>    frame-parent replies carry only their first
//                                 n bytes (0..3)
//   misbehave text-unterminated   window-information texts lack their zero
//   misbehave pad-title <n>       titles are padded with 'x' to n characters
//                                 in window-information replies
//
// Example:
//   window 5 "http://a/" "Home page" "" parent=-
//   window 9 "http://a/f.htm" "Frame" "" parent=5
//   current 9
//   misbehave silent WWW_GetFrameParent 9
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fake_browser {

constexpr uint32_t kNone = 0xFFFFFFFFu;

struct Window {
  uint32_t id = 0;
  std::string url;
  std::string title;
  std::string third;
  uint32_t parent = kNone;
};

// A request that gets no data: refused, or with silent not answered at all.
// An empty item stands for every item of the topic.
struct RequestFault {
  std::string topic;
  std::string item;
  bool silent = false;
};

// Requests on the topic are answered after a delay.
struct SlowTopic {
  std::string topic;
  uint32_t delayMs = 0;
};

struct Misbehaviour {
  bool unregistered = false;
  std::vector<std::string> refusedTopics;
  std::vector<RequestFault> requestFaults;
  std::vector<SlowTopic> slowTopics;
  bool listUnterminated = false;
  uint32_t frameParentBytes = 4;
  bool textUnterminated = false;
  uint32_t padTitleTo = 0;
};

struct Script {
  std::vector<Window> windows;
  uint32_t current = kNone;
  Misbehaviour misbehave;
};

// Reads script text; on failure *error names the line and the fault and
// *script is left unchanged.
bool ParseScript(const std::string& text, Script* script, std::string* error);
bool ReadScriptFile(const std::string& path, Script* script, std::string* error);

}  // namespace fake_browser
