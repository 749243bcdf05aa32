#include <fstream>
#include <sstream>

#include "tests/launcher/LauncherRunner.h"

unsigned AcceptedConversations(const fake_browser::Counters& counters) {
  unsigned total = 0;
  for (const auto& topic : counters.accepted) {
    total += topic.second;
  }
  return total;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
