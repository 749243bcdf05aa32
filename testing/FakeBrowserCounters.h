// What the fake browser received, as a test or the browser's operator sees
// it. Topics are kept in the browser's own spelling when they are its topics
// (names arrive in any letter case), items as they arrived.
//
// Counters file, one statement per line (tokens as in FakeBrowserText.h):
//   accepted <topic> <count>          conversations accepted on the topic
//   refused <topic> <count>           conversations refused on the topic
//   request <topic> <item> <count>    requests received for the item
//   requests <count>                  every request received
#pragma once

#include <map>
#include <string>
#include <utility>

namespace fake_browser {

struct Counters {
  std::map<std::string, unsigned> accepted;
  std::map<std::string, unsigned> refused;
  std::map<std::pair<std::string, std::string>, unsigned> requests;
  unsigned totalRequests = 0;

  unsigned Accepted(const std::string& topic) const;
  unsigned Refused(const std::string& topic) const;
  // Conversations asked for on the topic, accepted or refused; on every topic.
  unsigned Connects(const std::string& topic) const;
  unsigned AllConnects() const;
  unsigned Requests(const std::string& topic, const std::string& item) const;
  // Requests for every item of the topic.
  unsigned RequestsOn(const std::string& topic) const;
};

std::string FormatCounters(const Counters& counters);
bool ParseCounters(const std::string& text, Counters* counters);
bool WriteCountersFile(const std::string& path, const Counters& counters);
bool ReadCountersFile(const std::string& path, Counters* counters);

}  // namespace fake_browser
