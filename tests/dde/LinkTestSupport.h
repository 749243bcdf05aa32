// Shared by the DDE link tests: a fake browser made from script text.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "testing/FakeBrowser.h"

inline fake_browser::Script ScriptFrom(const std::string& text) {
  fake_browser::Script script;
  std::string error;
  EXPECT_TRUE(fake_browser::ParseScript(text, &script, &error)) << error;
  return script;
}

// A started fake browser serving the script.
inline std::unique_ptr<fake_browser::FakeBrowser> StartBrowser(const std::string& text) {
  auto browser = std::make_unique<fake_browser::FakeBrowser>(ScriptFrom(text));
  EXPECT_TRUE(browser->Start());
  return browser;
}

inline unsigned AcceptedOn(const fake_browser::FakeBrowser& browser) {
  unsigned total = 0;
  for (const auto& topic : browser.counters().accepted) {
    total += topic.second;
  }
  return total;
}
