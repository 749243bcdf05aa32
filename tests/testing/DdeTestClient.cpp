#include "tests/testing/DdeTestClient.h"

#include <gtest/gtest.h>

#include "browser/BrowserInterface.h"

namespace fake_browser {
namespace {

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

}  // namespace

std::unique_ptr<FakeBrowser> StartedBrowser(const std::string& text) {
  Script script;
  std::string error;
  EXPECT_TRUE(ParseScript(text, &script, &error)) << error;
  auto browser = std::make_unique<FakeBrowser>(script);
  EXPECT_TRUE(browser->Start());
  return browser;
}

DdeTestClient::DdeTestClient() {
  if (DdeInitializeA(&instance_, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    instance_ = 0;
    return;
  }
  service_ = DdeCreateStringHandleA(instance_, browser::kDdeService, CP_WINANSI);
}

DdeTestClient::~DdeTestClient() {
  if (!instance_) return;
  for (HCONV conversation : conversations_) DdeDisconnect(conversation);
  if (service_) DdeFreeStringHandle(instance_, service_);
  DdeUninitialize(instance_);
}

HCONV DdeTestClient::Connect(const char* topic) {
  HSZ topicHandle = DdeCreateStringHandleA(instance_, topic, CP_WINANSI);
  if (!topicHandle) return nullptr;
  HCONV conversation = DdeConnect(instance_, service_, topicHandle, nullptr);
  DdeFreeStringHandle(instance_, topicHandle);
  if (conversation) conversations_.push_back(conversation);

  return conversation;
}

Answer DdeTestClient::Request(HCONV conversation, const std::string& item, DWORD timeoutMs,
                              UINT format) {
  Answer answer;
  HSZ itemHandle = DdeCreateStringHandleA(instance_, item.c_str(), CP_WINANSI);
  if (!itemHandle) return answer;
  HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation, itemHandle, format, XTYP_REQUEST,
                                       timeoutMs, nullptr);
  answer.error = DdeGetLastError(instance_);
  DdeFreeStringHandle(instance_, itemHandle);
  if (!data) return answer;
  answer.answered = true;
  DWORD size = 0;
  const BYTE* bytes = DdeAccessData(data, &size);
  // Only the reported size is read, so that a reply without its terminator
  // is not read past its end.
  if (bytes) answer.bytes.assign(bytes, bytes + size);
  DdeUnaccessData(data);
  DdeFreeDataHandle(data);
  return answer;
}

}  // namespace fake_browser
