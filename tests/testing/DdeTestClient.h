// A bare DDEML client for talking to the fake browser, with none of the
// launcher's logic in between, and a fake browser started from script text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Win32Api.h"
#include "testing/FakeBrowser.h"

namespace fake_browser {

struct Answer {
  bool answered = false;
  std::vector<uint8_t> bytes;  // exactly the size that DdeAccessData reports
  UINT error = 0;              // DdeGetLastError after the transaction
};

// Fails the test when the script does not parse or the browser cannot start.
std::unique_ptr<FakeBrowser> StartedBrowser(const std::string& script);

class DdeTestClient {
 public:
  DdeTestClient();
  ~DdeTestClient();
  DdeTestClient(const DdeTestClient&) = delete;
  DdeTestClient& operator=(const DdeTestClient&) = delete;

  bool ok() const { return instance_ != 0 && service_ != nullptr; }
  // A conversation with the browser's service on the topic, or 0. The client
  // disconnects it when destroyed.
  HCONV Connect(const char* topic);
  Answer Request(HCONV conversation, const std::string& item, DWORD timeoutMs = 10000,
                 UINT format = CF_TEXT);

 private:
  DWORD instance_ = 0;
  HSZ service_ = nullptr;
  std::vector<HCONV> conversations_;
};

}  // namespace fake_browser
