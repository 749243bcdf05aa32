// Conversations: looking one up by either of its handles, and ending it.
#include "platform/posix/DdeState.h"

using namespace posix_dde;

namespace posix_dde {

long FindConversation(HandleId handle) {
  if (handle == 0) return -1;
  const auto& conversations = TheState().conversations;
  for (size_t i = 0; i < conversations.size(); ++i) {
    if (conversations[i].clientHandle == handle || conversations[i].serverHandle == handle)
      return static_cast<long>(i);
  }
  return -1;
}

void EndConversation(long index, HandleId endingHandle) {
  State& state = TheState();
  Conversation ended = state.conversations[static_cast<size_t>(index)];
  std::string topic = StringText(ended.topic);
  // Both sides stay known, so that later calls on them fail on the right
  // instance with DMLERR_NO_CONV_ESTABLISHED.
  state.endedSides[ended.clientHandle] = EndedSide{ended.client, topic};
  state.endedSides[ended.serverHandle] = EndedSide{ended.server, topic};
  state.conversations.erase(state.conversations.begin() + index);
  DropReference(ended.service, kDdemlHolder);
  DropReference(ended.topic, kDdemlHolder);

  bool byClient = endingHandle == ended.clientHandle;
  DWORD partner = byClient ? ended.server : ended.client;
  HandleId partnerHandle = byClient ? ended.serverHandle : ended.clientHandle;
  ULONG_PTR sameInstance = ended.client == ended.server ? 1 : 0;
  Invoke(partner, XTYP_DISCONNECT, 0, partnerHandle, 0, 0, 0, 0, sameInstance);
}

}  // namespace posix_dde

BOOL DdeDisconnect(HCONV hConv) {
  State& state = TheState();
  HandleId handle = IdOf(hConv);
  long index = FindConversation(handle);
  DWORD owner = 0;
  if (index >= 0) {
    const Conversation& c = state.conversations[static_cast<size_t>(index)];
    owner = handle == c.clientHandle ? c.client : c.server;
  } else if (state.endedSides.count(handle)) {
    owner = state.endedSides[handle].instance;
  }
  return Guarded(owner, FALSE, [&]() -> BOOL {
    if (index < 0) {
      auto ended = state.endedSides.find(handle);
      Log(owner, {"DdeDisconnect", ended == state.endedSides.end() ? "" : ended->second.topic});
      SetError(owner, DMLERR_NO_CONV_ESTABLISHED);
      return FALSE;
    }
    Log(owner,
        {"DdeDisconnect", StringText(state.conversations[static_cast<size_t>(index)].topic)});
    EndConversation(index, handle);
    return TRUE;
  });
}
