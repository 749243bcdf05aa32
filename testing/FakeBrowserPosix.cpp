// The fake browser's transport on POSIX: a server on the DDEML stand-in's
// server side, in the calling process. DDEML's callback carries no context,
// so the one running fake browser is kept here.
#include <chrono>
#include <string>
#include <thread>

#include "browser/BrowserInterface.h"
#include "platform/Win32Api.h"
#include "testing/FakeBrowser.h"

namespace fake_browser {

struct FakeBrowser::Transport {
  FakeBrowserCore* core = nullptr;
  DWORD instance = 0;
  HSZ service = nullptr;
  bool named = false;
};

namespace {

FakeBrowser::Transport* running = nullptr;

std::string HandleText(DWORD instance, HSZ handle) {
  char text[256];
  const DWORD length = DdeQueryStringA(instance, handle, text, sizeof text, CP_WINANSI);
  return std::string(text, length < sizeof text ? length : sizeof text - 1);
}

HDDEDATA CALLBACK ServerCallback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA,
                                 ULONG_PTR, ULONG_PTR) {
  FakeBrowser::Transport* t = running;
  if (!t) return nullptr;
  switch (type) {
    case XTYP_CONNECT: {
      // hsz1 is the topic, hsz2 the service.
      if (DdeCmpStringHandles(hsz2, t->service) != 0) return nullptr;
      const bool accept = t->core->Connect(HandleText(t->instance, hsz1));
      return reinterpret_cast<HDDEDATA>(static_cast<intptr_t>(accept ? TRUE : FALSE));
    }
    case XTYP_REQUEST: {
      // hsz1 is the topic, hsz2 the item.
      Reply reply =
          t->core->Request(HandleText(t->instance, hsz1), HandleText(t->instance, hsz2), format);
      // The client's DDEML runs this callback inside its transaction, so a
      // busy browser is one that takes its time here.
      std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
      switch (reply.kind) {
        case Reply::kData:
          return DdeCreateDataHandle(t->instance, reply.bytes.data(),
                                     static_cast<DWORD>(reply.bytes.size()), 0, hsz2, format, 0);
        case Reply::kSilent:
          return CBR_BLOCK;
        case Reply::kRefused:
          return nullptr;
      }
      return nullptr;
    }
    default:
      return nullptr;
  }
}

}  // namespace

FakeBrowser::FakeBrowser(const Script& script) : core_(script) {}

FakeBrowser::~FakeBrowser() { Stop(); }

bool FakeBrowser::Start() {
  if (transport_ || running) return false;
  auto t = std::make_unique<Transport>();
  t->core = &core_;
  if (DdeInitializeA(&t->instance, ServerCallback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
    return false;
  t->service = DdeCreateStringHandleA(t->instance, browser::kDdeService, CP_WINANSI);
  if (!t->service) {
    DdeUninitialize(t->instance);
    return false;
  }
  running = t.get();
  if (core_.Registered()) {
    t->named = DdeNameService(t->instance, t->service, nullptr, DNS_REGISTER) != nullptr;
    if (!t->named) {
      running = nullptr;
      DdeFreeStringHandle(t->instance, t->service);
      DdeUninitialize(t->instance);
      return false;
    }
  }
  transport_ = std::move(t);
  return true;
}

void FakeBrowser::Stop() {
  if (!transport_) return;
  if (transport_->named)
    DdeNameService(transport_->instance, transport_->service, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(transport_->instance, transport_->service);
  // Uninitialising ends every conversation from the browser's side.
  DdeUninitialize(transport_->instance);
  running = nullptr;
  transport_.reset();
}

}  // namespace fake_browser
