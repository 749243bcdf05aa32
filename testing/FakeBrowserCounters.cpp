#include "testing/FakeBrowserCounters.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "testing/FakeBrowserText.h"

namespace fake_browser {
namespace {

unsigned Find(const std::map<std::string, unsigned>& m, const std::string& key) {
  const auto it = m.find(key);
  return it == m.end() ? 0 : it->second;
}

}  // namespace

unsigned Counters::Accepted(const std::string& topic) const { return Find(accepted, topic); }

unsigned Counters::Refused(const std::string& topic) const { return Find(refused, topic); }

unsigned Counters::Connects(const std::string& topic) const {
  return Accepted(topic) + Refused(topic);
}

unsigned Counters::AllConnects() const {
  unsigned sum = 0;
  for (const auto& entry : accepted) sum += entry.second;
  for (const auto& entry : refused) sum += entry.second;
  return sum;
}

unsigned Counters::Requests(const std::string& topic, const std::string& item) const {
  const auto it = requests.find({topic, item});
  return it == requests.end() ? 0 : it->second;
}

unsigned Counters::RequestsOn(const std::string& topic) const {
  unsigned sum = 0;
  for (const auto& entry : requests) {
    if (entry.first.first == topic) sum += entry.second;
  }
  return sum;
}

std::string FormatCounters(const Counters& counters) {
  std::ostringstream out;
  for (const auto& e : counters.accepted)
    out << "accepted " << QuoteToken(e.first) << ' ' << e.second << '\n';
  for (const auto& e : counters.refused)
    out << "refused " << QuoteToken(e.first) << ' ' << e.second << '\n';
  for (const auto& e : counters.requests) {
    out << "request " << QuoteToken(e.first.first) << ' ' << QuoteToken(e.first.second) << ' '
        << e.second << '\n';
  }
  out << "requests " << counters.totalRequests << '\n';
  return out.str();
}

bool ParseCounters(const std::string& text, Counters* counters) {
  Counters parsed;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> t;
    if (!SplitLine(line, &t)) return false;
    if (t.empty()) continue;
    uint32_t count = 0;
    if (t[0] == "accepted" && t.size() == 3 && ParseNumber(t[2], &count)) {
      parsed.accepted[t[1]] = count;
    } else if (t[0] == "refused" && t.size() == 3 && ParseNumber(t[2], &count)) {
      parsed.refused[t[1]] = count;
    } else if (t[0] == "request" && t.size() == 4 && ParseNumber(t[3], &count)) {
      parsed.requests[{t[1], t[2]}] = count;
    } else if (t[0] == "requests" && t.size() == 2 && ParseNumber(t[1], &count)) {
      parsed.totalRequests = count;
    } else {
      return false;
    }
  }
  *counters = parsed;
  return true;
}

bool WriteCountersFile(const std::string& path, const Counters& counters) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << FormatCounters(counters);
  out.close();
  return static_cast<bool>(out);
}

bool ReadCountersFile(const std::string& path, Counters* counters) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  return ParseCounters(text.str(), counters);
}

}  // namespace fake_browser
