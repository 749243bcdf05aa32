// The fake browser's transport on Windows: it answers the DDE messages
// itself rather than through DDEML's server side, whose answer to a request
// is followed by a stray acknowledgement that makes every second request of
// the same item fail.
//
// A hidden top-level listener window answers WM_DDE_INITIATE (sent to all
// top-level windows) and opens one hidden window per conversation, which
// answers WM_DDE_REQUEST and WM_DDE_TERMINATE.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "browser/BrowserInterface.h"
#include "platform/Win32Api.h"
#include "testing/FakeBrowser.h"
#include "testing/FakeBrowserText.h"

// The DDE message protocol, which the programs themselves never use.
#include <dde.h>

namespace fake_browser {

namespace {

constexpr const char kConversationClassName[] = "FakeBrowserDdeConversation";

struct Conversation {
  FakeBrowser::Transport* transport;
  HWND client;
  std::string topic;
};

std::string AtomText(ATOM atom) {
  char text[256];
  const UINT length = GlobalGetAtomNameA(atom, text, sizeof text);
  return std::string(text, length);
}

void PostNegativeAck(HWND client, HWND conversation, ATOM item) {
  const LPARAM lParam = PackDDElParam(WM_DDE_ACK, 0, item);
  if (!PostMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(conversation), lParam)) {
    FreeDDElParam(WM_DDE_ACK, lParam);
    GlobalDeleteAtom(item);
  }
}

void PostData(HWND client, HWND conversation, ATOM item, unsigned format,
              const std::vector<uint8_t>& bytes) {
  const size_t header = offsetof(DDEDATA, Value);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, header + bytes.size());
  DDEDATA* data = memory ? static_cast<DDEDATA*>(GlobalLock(memory)) : nullptr;
  if (!data) {
    if (memory) GlobalFree(memory);
    PostNegativeAck(client, conversation, item);
    return;
  }
  std::memset(data, 0, header);
  // A response to a request, released by the client; no acknowledgement
  // asked for.
  data->fResponse = 1;
  data->fRelease = 1;
  data->cfFormat = static_cast<short>(format);
  if (!bytes.empty())
    std::memcpy(reinterpret_cast<BYTE*>(data) + header, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  const LPARAM lParam = PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(memory), item);
  if (!PostMessageA(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(conversation), lParam)) {
    FreeDDElParam(WM_DDE_DATA, lParam);
    GlobalFree(memory);
    GlobalDeleteAtom(item);
  }
}

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ConversationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSA listener = {};
    listener.lpfnWndProc = ListenerProc;
    listener.hInstance = GetModuleHandleA(nullptr);
    listener.lpszClassName = kListenerClassName;
    WNDCLASSA conversation = listener;
    conversation.lpfnWndProc = ConversationProc;
    conversation.lpszClassName = kConversationClassName;
    return RegisterClassA(&listener) != 0 && RegisterClassA(&conversation) != 0;
  }();
  return registered;
}

template <typename T>
T* WindowData(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

struct FakeBrowser::Transport {
  FakeBrowserCore* core = nullptr;
  HWND listener = nullptr;
  std::vector<HWND> conversations;

  // A null atom stands for any service or any topic.
  void Initiate(HWND client, ATOM service, ATOM topic) {
    if (service != 0 && !SameName(AtomText(service), browser::kDdeService)) return;
    if (topic != 0) {
      const std::string name = AtomText(topic);
      if (core->Connect(name)) Open(client, FakeBrowserCore::CanonicalTopic(name));
      return;
    }
    for (const std::string& own : FakeBrowserCore::Topics()) {
      if (core->Connect(own)) Open(client, own);
    }
  }

  void Open(HWND client, const std::string& topic) {
    auto* conversation = new Conversation{this, client, topic};
    HWND window = CreateWindowExA(0, kConversationClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), conversation);
    if (!window) {
      delete conversation;
      return;
    }
    conversations.push_back(window);
    // The acknowledgement carries new atoms, which the client deletes.
    const ATOM serviceAtom = GlobalAddAtomA(browser::kDdeService);
    const ATOM topicAtom = GlobalAddAtomA(topic.c_str());
    SendMessageA(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(serviceAtom, topicAtom));
  }

  void Request(HWND window, const Conversation& conversation, HWND client, LPARAM lParam) {
    UINT_PTR format = 0;
    UINT_PTR itemAtom = 0;
    UnpackDDElParam(WM_DDE_REQUEST, lParam, &format, &itemAtom);
    FreeDDElParam(WM_DDE_REQUEST, lParam);
    const ATOM item = static_cast<ATOM>(itemAtom);
    const Reply reply =
        core->Request(conversation.topic, AtomText(item), static_cast<unsigned>(format));
    // A busy browser: nothing of this thread, the client's side of an
    // in-process test included, moves until the answer goes.
    if (reply.delayMs > 0) Sleep(reply.delayMs);
    // The item atom travels back with the answer; without one it is ours to delete.
    switch (reply.kind) {
      case Reply::kData:
        PostData(client, window, item, static_cast<unsigned>(format), reply.bytes);
        break;
      case Reply::kRefused:
        PostNegativeAck(client, window, item);
        break;
      case Reply::kSilent:
        GlobalDeleteAtom(item);
        break;
    }
  }

  void Terminate(HWND window, HWND client) {
    PostMessageA(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
    if (!DestroyWindow(window)) Forget(window);
  }

  void Forget(HWND window) {
    conversations.erase(std::remove(conversations.begin(), conversations.end(), window),
                        conversations.end());
  }
};

namespace {

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* transport = WindowData<FakeBrowser::Transport>(window, message, lParam);
  switch (message) {
    case WM_DDE_INITIATE:
      if (transport)
        transport->Initiate(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK ConversationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* conversation = WindowData<Conversation>(window, message, lParam);
  if (!conversation) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_DDE_REQUEST:
      conversation->transport->Request(window, *conversation, reinterpret_cast<HWND>(wParam),
                                       lParam);
      return 0;
    case WM_DDE_TERMINATE:
      conversation->transport->Terminate(window, conversation->client);
      return 0;
    case WM_NCDESTROY:
      conversation->transport->Forget(window);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete conversation;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

FakeBrowser::FakeBrowser(const Script& script) : core_(script) {}

FakeBrowser::~FakeBrowser() { Stop(); }

bool FakeBrowser::Start() {
  if (transport_ || !RegisterClasses()) return false;
  auto transport = std::make_unique<Transport>();
  transport->core = &core_;
  if (core_.Registered()) {
    transport->listener = CreateWindowExA(0, kListenerClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, GetModuleHandleA(nullptr), transport.get());
    if (!transport->listener) return false;
  }
  transport_ = std::move(transport);
  return true;
}

void FakeBrowser::Stop() {
  if (!transport_) return;
  // The browser going away ends its conversations from its side.
  while (!transport_->conversations.empty()) {
    HWND window = transport_->conversations.back();
    const auto* conversation =
        reinterpret_cast<const Conversation*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (conversation) {
      transport_->Terminate(window, conversation->client);
    } else {
      transport_->Forget(window);
    }
  }
  if (transport_->listener) DestroyWindow(transport_->listener);
  transport_.reset();
}

}  // namespace fake_browser
