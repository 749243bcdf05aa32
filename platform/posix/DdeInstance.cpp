// DDEML instances: opening, ending, and the error each one keeps.
#include <iterator>

#include "platform/posix/DdeState.h"

using namespace posix_dde;

UINT DdeInitializeA(LPDWORD pidInst, PFNCALLBACK pfnCallback, DWORD afCmd, DWORD /*ulRes*/) {
  try {
    LoadPeersOnce();
    State& state = TheState();
    if (state.failNextInitialize) {
      state.failNextInitialize = false;
      Log(0, {"DdeInitializeA"});
      return state.nextInitializeError;
    }
    if (!pidInst || !pfnCallback) {
      Log(0, {"DdeInitializeA"});
      return DMLERR_INVALIDPARAMETER;
    }
    if (*pidInst != 0) {
      // A nonzero id asks to change the flags of an instance already open.
      Log(*pidInst, {"DdeInitializeA"});
      Instance* open = FindInstance(*pidInst);
      if (!open) return DMLERR_INVALIDPARAMETER;
      open->commands = afCmd;
      return DMLERR_NO_ERROR;
    }
    DWORD id = state.nextInstance;
    state.instances.emplace(id, Instance{pfnCallback, afCmd, DMLERR_NO_ERROR, false});
    ++state.nextInstance;
    *pidInst = id;
    Log(id, {"DdeInitializeA"});
    return DMLERR_NO_ERROR;
  } catch (const std::bad_alloc&) {
    return DMLERR_MEMORY_ERROR;
  }
}

BOOL DdeUninitialize(DWORD idInst) {
  return Guarded(idInst, FALSE, [&]() -> BOOL {
    Log(idInst, {"DdeUninitialize"});
    Instance* ending = FindInstance(idInst);
    if (!ending) return FALSE;
    ending->ending = true;

    State& state = TheState();
    auto& registrations = state.registrations;
    for (size_t i = 0; i < registrations.size();) {
      if (registrations[i].instance == idInst) {
        DropReference(registrations[i].service, kDdemlHolder);
        registrations.erase(registrations.begin() + static_cast<long>(i));
      } else {
        ++i;
      }
    }
    // Each end tells the partner, whose callback may change the list.
    for (;;) {
      long index = -1;
      for (size_t i = 0; i < state.conversations.size() && index < 0; ++i) {
        const Conversation& c = state.conversations[i];
        if (c.client == idInst || c.server == idInst) index = static_cast<long>(i);
      }
      if (index < 0) break;
      const Conversation& c = state.conversations[static_cast<size_t>(index)];
      EndConversation(index, c.client == idInst ? c.clientHandle : c.serverHandle);
    }
    state.instances.erase(idInst);
    // What an ended conversation's handles told of it dies with the instance,
    // so that a process that opens and closes links keeps no growing record.
    for (auto it = state.endedSides.begin(); it != state.endedSides.end();) {
      it = it->second.instance == idInst ? state.endedSides.erase(it) : std::next(it);
    }
    return TRUE;
  });
}

UINT DdeGetLastError(DWORD idInst) {
  return Guarded(idInst, static_cast<UINT>(DMLERR_MEMORY_ERROR), [&]() -> UINT {
    Log(idInst, {"DdeGetLastError"});
    Instance* instance = FindInstance(idInst);
    if (!instance) return DMLERR_INVALIDPARAMETER;
    UINT error = instance->lastError;
    instance->lastError = DMLERR_NO_ERROR;
    return error;
  });
}
