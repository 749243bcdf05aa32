#include "tests/launcher/LauncherRunner.h"

unsigned AcceptedConversations(const fake_browser::Counters& counters) {
  unsigned total = 0;
  for (const auto& topic : counters.accepted) {
    total += topic.second;
  }
  return total;
}
