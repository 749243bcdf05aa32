// What the fake browser answers, independent of how the answer travels:
// the transports hand every connection and request to this core and carry
// its reply back to the client.
//
// It accepts conversations on the browser's seven topics and answers, in
// CF_TEXT only:
//   WWW_ListWindows, item WWW_ListWindows: the window ids, 4 bytes each,
//     little-endian, then a 0 id
//   WWW_GetWindowInfo, item a decimal id (4294967295: the current window):
//     "url","title","third" with a backslash before each quote in a value,
//     zero-terminated
//   WWW_GetFrameParent, item a decimal id (likewise): the parent id in
//     4 bytes, little-endian, 0xFFFFFFFF for none
// Anything else (an unknown id, another item, format or topic) is refused.
// A slow topic's answers, refusals included, carry the delay for the
// transport to wait out before it sends them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "testing/FakeBrowserCounters.h"
#include "testing/FakeBrowserScript.h"

namespace fake_browser {

constexpr unsigned kTextFormat = 1;  // CF_TEXT

struct Reply {
  enum Kind { kData, kRefused, kSilent };
  Kind kind = kRefused;
  std::vector<uint8_t> bytes;
  uint32_t delayMs = 0;  // the transport holds the answer back this long
};

class FakeBrowserCore {
 public:
  explicit FakeBrowserCore(const Script& script);

  const Script& script() const { return script_; }
  const Counters& counters() const { return counters_; }

  // Whether the service is offered at all.
  bool Registered() const;

  // A client asks for a conversation on the topic: true to accept. Counted.
  bool Connect(const std::string& topic);

  // A client asks for the item on a conversation of the topic. Counted.
  Reply Request(const std::string& topic, const std::string& item, unsigned format);

  // The browser's spelling of one of its topics, else the name unchanged.
  static std::string CanonicalTopic(const std::string& topic);
  // The browser's topics, which it accepts conversations on.
  static const std::vector<std::string>& Topics();

 private:
  const Window* FindWindow(uint32_t id) const;
  const RequestFault* FindFault(const std::string& topic, const std::string& item) const;
  uint32_t DelayOn(const std::string& topic) const;
  Reply Answer(const std::string& topic, const std::string& item, unsigned format) const;
  Reply ListWindows(const std::string& item) const;
  Reply WindowInfo(const std::string& item) const;
  Reply FrameParent(const std::string& item) const;

  Script script_;
  Counters counters_;
};

// A window's information as the browser sends it: "url","title","third" with
// a backslash before every quote inside a value.
std::string WindowInfoText(const Window& window, size_t padTitleTo);

}  // namespace fake_browser
