// The DDEML instance, the string handles of the browser's service and
// topics, and the cache of conversations, one per topic.
#include "launcher/dde/DdeLink.h"

namespace {
constexpr UINT kRequestFormat = CF_TEXT;
constexpr DWORD kRequestTimeout = browser::kRequestTimeoutMs;
}  // namespace

DdeLink::DdeLink() { OpenInstance(); }

DdeLink::~DdeLink() {
  if (instanceId != 0) {
    CloseInstance();
  }
  // Without an instance CloseInstance did not run; nothing of DDEML is held
  // then, but array storage may be.
  ClearWindowList();
  conversations.Free();
}

// The link accepts no conversation and acts on no notification.
HDDEDATA CALLBACK DdeLink::DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                       ULONG_PTR) {
  return 0;
}

void DdeLink::OpenInstance() {
  instanceId = 0;
  if (DdeInitializeA(&instanceId, DdeCallback, 0, 0) != 0) {
    NoteDdeError("Initialize");
    initialized = false;
    return;
  }
  initialized = true;
  browserService = DdeCreateStringHandleA(instanceId, browser::kDdeService, CP_WINANSI);
  NoteDdeError("Create String Handle Netscape");
  CreateTopicHandles();
}

void DdeLink::CreateTopicHandles() {
  for (int i = 0; i < browser::kTopicCount; ++i) {
    topicHandles[i] = MakeStringHandle(browser::kTopics[i]);
  }
}

void DdeLink::CloseInstance() {
  if (initialized && instanceId != 0) {
    // The topic handles go first, then the conversations opened on them.
    for (int i = 0; i < browser::kTopicCount; ++i) {
      ReleaseStringHandle(topicHandles[i]);
    }
    DisconnectAll();
    DdeFreeStringHandle(instanceId, browserService);
    NoteDdeError("Free String Handle Netscape");
    DdeUninitialize(instanceId);
    NoteDdeError("DdeUninitialize");
    instanceId = 0;
  }
  ClearWindowList();
}

HSZ DdeLink::MakeStringHandle(const char* text) {
  if (!initialized) {
    return 0;
  }
  HSZ handle = DdeCreateStringHandleA(instanceId, text, CP_WINANSI);
  NoteDdeError("Create String Handle");
  return handle;
}

void DdeLink::ReleaseStringHandle(HSZ handle) {
  if (!initialized) {
    return;
  }
  DdeFreeStringHandle(instanceId, handle);
  NoteDdeError("Free String Handle");
}

// The tag names the call just made; the code is fetched (which resets it in
// DDEML) and dropped.
DWORD DdeLink::NoteDdeError(const char* tag) {
  (void)tag;
  return DdeGetLastError(instanceId);
}

HCONV DdeLink::FindConversation(HSZ topic) {
  for (int i = 0; i < conversations.size; ++i) {
    if (conversations.data[i].topic == topic) {
      return conversations.data[i].conversation;
    }
  }
  return 0;
}

HCONV DdeLink::ConnectTopic(HSZ topic) {
  // A browser that let a request time out is not asked again in this run,
  // not even on a topic not used yet: it would hold the run a second time.
  if (!initialized || requestTimedOut) {
    return 0;
  }
  // A handle that DDEML refused is 0, and DdeConnect would take a 0 service
  // or topic as a wildcard and reach any server on any topic.
  if (topic == 0 || browserService == 0) {
    return 0;
  }
  HCONV cached = FindConversation(topic);
  if (cached != 0) {
    return cached;
  }
  HCONV conversation = DdeConnect(instanceId, browserService, topic, nullptr);
  if (conversation == 0) {
    return 0;
  }
  ConversationEntry entry = {topic, conversation};
  if (!conversations.Append(entry)) {
    // Not cached, so not disconnected at the end either: give it back now.
    DdeDisconnect(conversation);
    return 0;
  }
  return conversation;
}

// Once a request has timed out, later ones fail at once, as unanswered.
HDDEDATA DdeLink::RequestItem(HCONV conversation, HSZ item) {
  if (conversation == 0 || item == 0 || requestTimedOut) {
    return 0;
  }
  HDDEDATA reply = DdeClientTransaction(nullptr, 0, conversation, item, kRequestFormat,
                                        XTYP_REQUEST, kRequestTimeout, nullptr);
  // The hook fetches (and so resets) the error; the time-out is read from it.
  if (NoteDdeError("Client Transaction") == DMLERR_DATAACKTIMEOUT && reply == 0) {
    requestTimedOut = true;
  }
  return reply;
}

void DdeLink::DisconnectAll() {
  for (int i = 0; i < conversations.size; ++i) {
    if (conversations.data[i].conversation != 0) {
      DdeDisconnect(conversations.data[i].conversation);
    }
  }
  conversations.Free();
}
