// The fake browser: a DDE server for the browser's service and topics that
// serves a script (FakeBrowserScript.h) and counts what it receives.
//
//   fake_browser::Script script;  // or ParseScript / ReadScriptFile
//   fake_browser::FakeBrowser browser(script);
//   ASSERT_TRUE(browser.Start());
//   ... a DDE client talks to the service ...
//   EXPECT_EQ(browser.counters().totalRequests, 3u);
//   browser.Stop();
//
// The transport is chosen at link time. On POSIX it is a server on the DDEML
// stand-in in the calling process; only one fake browser can run there at a
// time. On Windows it answers the DDE messages themselves from hidden windows
// of the calling thread (so the thread must dispatch messages, as a waiting
// DdeClientTransaction does); the listener window's class is
// kListenerClassName, and a WM_CLOSE to it ends the thread's message loop. A
// client that asks for any topic gets one conversation per browser topic
// offered (each counted); its DDEML keeps the first.
#pragma once

#include <memory>

#include "testing/FakeBrowserCore.h"

namespace fake_browser {

constexpr const char kListenerClassName[] = "FakeBrowserDdeListener";

class FakeBrowser {
 public:
  explicit FakeBrowser(const Script& script);
  ~FakeBrowser();
  FakeBrowser(const FakeBrowser&) = delete;
  FakeBrowser& operator=(const FakeBrowser&) = delete;

  // Offers the service, unless the script has it unregistered. False when the
  // transport cannot be set up, or when already started.
  bool Start();
  // Ends every open conversation and withdraws the service. The counters stay.
  void Stop();
  bool Running() const { return transport_ != nullptr; }

  const Counters& counters() const { return core_.counters(); }
  const Script& script() const { return core_.script(); }
  FakeBrowserCore& core() { return core_; }

  struct Transport;

 private:
  FakeBrowserCore core_;
  std::unique_ptr<Transport> transport_;
};

}  // namespace fake_browser
