// Client transactions. Only the synchronous request is carried out: it runs
// the server's callback at once and hands the client a copy of the answer.
#include <cstring>

#include "platform/posix/DdeState.h"

using namespace posix_dde;

namespace {

// The client's own handle over an exact copy of the server's answer.
HandleId CopyForClient(const DataBlock& answer, DWORD client) {
  std::unique_ptr<BYTE[]> bytes = NewBlock(answer.size);
  if (answer.size > 0) std::memcpy(bytes.get(), answer.bytes.get(), answer.size);
  HandleId id = NewHandle();
  TheState().data.emplace(
      id, DataBlock{client, std::move(bytes), answer.size, answer.format, answer.item, false});
  return id;
}

// DDEML gives back an answer that the server did not keep for itself.
void ReleaseAnswer(HandleId answer) {
  DataBlock* block = FindData(answer);
  if (block && !block->appOwned) TheState().data.erase(answer);
}

}  // namespace

HDDEDATA DdeClientTransaction(LPBYTE /*pData*/, DWORD /*cbData*/, HCONV hConv, HSZ hszItem,
                              UINT wFmt, UINT wType, DWORD dwTimeout, LPDWORD pdwResult) {
  State& state = TheState();
  HandleId handle = IdOf(hConv);
  HandleId item = IdOf(hszItem);
  long index = FindConversation(handle);
  DWORD owner = 0;
  std::string topic;
  if (index >= 0) {
    const Conversation& c = state.conversations[static_cast<size_t>(index)];
    owner = handle == c.clientHandle ? c.client : c.server;
  } else if (state.endedSides.count(handle)) {
    owner = state.endedSides[handle].instance;
  }
  return Guarded(owner, HDDEDATA{}, [&]() -> HDDEDATA {
    if (pdwResult) *pdwResult = 0;
    if (index >= 0) {
      topic = StringText(state.conversations[static_cast<size_t>(index)].topic);
    } else if (state.endedSides.count(handle)) {
      topic = state.endedSides[handle].topic;
    }
    Log(owner, {"DdeClientTransaction", topic, StringText(item), std::to_string(dwTimeout)});
    if (index < 0) {
      SetError(owner, DMLERR_NO_CONV_ESTABLISHED);
      return 0;
    }
    Conversation c = state.conversations[static_cast<size_t>(index)];
    if (handle != c.clientHandle) {
      SetError(owner, DMLERR_INVALIDPARAMETER);  // a server does not ask its client
      return 0;
    }
    if (wType != XTYP_REQUEST || dwTimeout == TIMEOUT_ASYNC) {
      SetError(c.client, DMLERR_NOTPROCESSED);
      return 0;
    }
    if (!FindString(item)) {
      SetError(c.client, DMLERR_INVALIDPARAMETER);
      return 0;
    }

    HDDEDATA reply = Invoke(c.server, XTYP_REQUEST, wFmt, c.serverHandle, c.topic, item, 0, 0, 0);
    if (reply == CBR_BLOCK) {
      // A blocked server answers after the time-out at the earliest; the
      // wait itself is left out.
      SetError(c.client, DMLERR_DATAACKTIMEOUT);
      return 0;
    }
    HandleId answer = IdOf(reply);
    if (FindConversation(handle) < 0) {
      ReleaseAnswer(answer);
      SetError(c.client, DMLERR_NO_CONV_ESTABLISHED);
      return 0;
    }
    DataBlock* block = FindData(answer);
    if (!block) {
      SetError(c.client, DMLERR_NOTPROCESSED);
      return 0;
    }
    HandleId copy = CopyForClient(*block, c.client);
    ReleaseAnswer(answer);
    return HandleOf<HDDEDATA>(copy);
  });
}
