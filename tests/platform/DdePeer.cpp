#include "tests/platform/DdePeer.h"

#include <algorithm>

Peer* Peer::slots[Peer::kSlots] = {};

template <int Slot>
HDDEDATA CALLBACK Peer::Trampoline(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2,
                                   HDDEDATA, ULONG_PTR data1, ULONG_PTR data2) {
  Received r{type, format, conversation, hsz1, hsz2, data1, data2, {}};
  if (type == XTYP_CONNECT && data1) r.context = *reinterpret_cast<const CONVCONTEXT*>(data1);
  return slots[Slot]->Callback(r);
}

Peer::Peer(int slot, DWORD commands) : slot(slot) {
  static const PFNCALLBACK callbacks[kSlots] = {Trampoline<0>, Trampoline<1>, Trampoline<2>};
  EXPECT_EQ(slots[slot], nullptr) << "slot " << slot << " taken";
  slots[slot] = this;
  EXPECT_EQ(DdeInitializeA(&id, callbacks[slot], commands, 0), UINT{DMLERR_NO_ERROR});
}

Peer::~Peer() {
  End();
  slots[slot] = nullptr;
}

HSZ Peer::Name(const char* text) {
  HSZ name = DdeCreateStringHandleA(id, text, CP_WINANSI);
  EXPECT_NE(name, nullptr) << text;
  names.push_back(name);
  return name;
}

void Peer::Serve(const char* service, std::vector<HSZ> topics) {
  acceptedTopics = std::move(topics);
  EXPECT_NE(DdeNameService(id, Name(service), 0, DNS_REGISTER), nullptr);
}

void Peer::End() {
  if (id == 0) return;
  for (HSZ name : names) EXPECT_TRUE(DdeFreeStringHandle(id, name));
  names.clear();
  EXPECT_TRUE(DdeUninitialize(id));
  id = 0;
}

size_t Peer::Count(UINT type) const {
  return static_cast<size_t>(std::count_if(received.begin(), received.end(),
                                           [&](const Received& r) { return r.type == type; }));
}

Received Peer::Last(UINT type) const {
  for (auto r = received.rbegin(); r != received.rend(); ++r) {
    if (r->type == type) return *r;
  }
  return Received{};
}

HDDEDATA Peer::Callback(const Received& r) {
  received.push_back(r);
  if (onAny) return onAny(r);
  if (r.type == XTYP_CONNECT) {
    bool accepted =
        std::find(acceptedTopics.begin(), acceptedTopics.end(), r.hsz1) != acceptedTopics.end();
    return accepted ? reinterpret_cast<HDDEDATA>(1) : nullptr;
  }
  if (r.type == XTYP_REQUEST && onRequest) return onRequest(r);
  return nullptr;
}

std::string Bytes(HDDEDATA data) {
  DWORD size = 0;
  LPBYTE bytes = DdeAccessData(data, &size);
  if (!bytes) return "(no data)";
  std::string copy(reinterpret_cast<const char*>(bytes), size);
  DdeUnaccessData(data);
  return copy;
}
