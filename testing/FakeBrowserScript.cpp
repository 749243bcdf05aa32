#include "testing/FakeBrowserScript.h"

#include <fstream>
#include <sstream>

#include "testing/FakeBrowserText.h"

namespace fake_browser {
namespace {

constexpr uint32_t kLongestDelayMs = 600000;

bool ParseWindow(const std::vector<std::string>& t, Script* script, std::string* why) {
  if (t.size() != 5 && t.size() != 6) {
    *why = "window takes an id, a URL, a title, a third text and optionally parent=";
    return false;
  }
  Window w;
  if (!ParseWindowId(t[1], &w.id) || w.id == 0 || w.id == kNone) {
    *why = "bad window id '" + t[1] + "'";
    return false;
  }
  w.url = t[2];
  w.title = t[3];
  w.third = t[4];
  if (t.size() == 6) {
    const std::string prefix = "parent=";
    if (t[5].compare(0, prefix.size(), prefix) != 0 ||
        !ParseWindowId(t[5].substr(prefix.size()), &w.parent)) {
      *why = "bad parent '" + t[5] + "'";
      return false;
    }
  }
  script->windows.push_back(w);
  return true;
}

bool ParseMisbehave(const std::vector<std::string>& t, Misbehaviour* m) {
  const std::string what = t.size() > 1 ? t[1] : "";
  const size_t args = t.size() > 1 ? t.size() - 2 : 0;
  if (what == "unregistered" && args == 0) {
    m->unregistered = true;
    return true;
  }
  if (what == "refuse-connect" && args == 1) {
    m->refusedTopics.push_back(t[2]);
    return true;
  }
  if ((what == "refuse" || what == "silent") && (args == 1 || args == 2)) {
    m->requestFaults.push_back({t[2], args == 2 ? t[3] : "", what == "silent"});
    return true;
  }
  if (what == "slow" && args == 2) {
    SlowTopic slow;
    slow.topic = t[2];
    if (!ParseNumber(t[3], &slow.delayMs) || slow.delayMs > kLongestDelayMs) return false;
    m->slowTopics.push_back(slow);
    return true;
  }
  if (what == "list-unterminated" && args == 0) {
    m->listUnterminated = true;
    return true;
  }
  if (what == "text-unterminated" && args == 0) {
    m->textUnterminated = true;
    return true;
  }
  if (what == "parent-bytes" && args == 1) {
    return ParseNumber(t[2], &m->frameParentBytes) && m->frameParentBytes <= 4;
  }
  if (what == "pad-title" && args == 1) return ParseNumber(t[2], &m->padTitleTo);
  return false;
}

}  // namespace

bool ParseScript(const std::string& text, Script* script, std::string* error) {
  Script parsed;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::vector<std::string> t;
    std::string why;
    bool ok = SplitLine(line, &t);
    if (!ok) {
      why = "unclosed quote";
    } else if (t.empty()) {
      continue;
    } else if (t[0] == "window") {
      ok = ParseWindow(t, &parsed, &why);
    } else if (t[0] == "current") {
      ok = t.size() == 2 && ParseWindowId(t[1], &parsed.current);
      if (!ok) why = "current takes one id";
    } else if (t[0] == "misbehave") {
      ok = ParseMisbehave(t, &parsed.misbehave);
      if (!ok) why = "unknown or malformed misbehaviour";
    } else {
      ok = false;
      why = "unknown statement '" + t[0] + "'";
    }
    if (!ok) {
      if (error) *error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
  }
  *script = parsed;
  return true;
}

bool ReadScriptFile(const std::string& path, Script* script, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseScript(text.str(), script, error);
}

}  // namespace fake_browser
