// The state behind the in-process DDEML, shared by its Dde*.cpp files and
// seen by nothing else. One thread, so no locks. Handles are ids from one
// counter that never repeats, so a stale or mistyped handle is unknown
// rather than another live object.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/posix/DdeTestHooks.h"
#include "platform/posix/Ddeml.h"

namespace posix_dde {

typedef uintptr_t HandleId;

// Holder of a string reference that DDEML keeps for itself (registrations
// and open conversations), as opposed to an instance id.
const DWORD kDdemlHolder = 0;

struct Instance {
  PFNCALLBACK callback;
  DWORD commands;
  UINT lastError;
  bool ending;  // inside DdeUninitialize: no new conversations, no callbacks
};

struct StringEntry {
  std::string text;                      // as first created
  std::map<DWORD, unsigned> references;  // by holder
};

struct DataBlock {
  DWORD owner;
  std::unique_ptr<BYTE[]> bytes;  // exactly `size` bytes, its own allocation
  DWORD size;
  UINT format;
  HandleId item;
  bool appOwned;
};

struct Conversation {
  HandleId clientHandle;
  HandleId serverHandle;
  DWORD client;
  DWORD server;
  HandleId service;  // both referenced by DDEML while the conversation lives
  HandleId topic;
};

// What is still known of one side of a conversation after it has ended.
struct EndedSide {
  DWORD instance;
  std::string topic;
};

struct Registration {
  DWORD instance;
  HandleId service;  // referenced by DDEML while registered
};

struct State {
  DWORD nextInstance = 1;
  HandleId nextHandle = 0xC001;
  std::map<DWORD, Instance> instances;
  std::map<HandleId, StringEntry> strings;
  std::map<std::string, HandleId> stringsByFoldedText;
  std::map<HandleId, DataBlock> data;
  std::vector<Conversation> conversations;
  std::map<HandleId, EndedSide> endedSides;
  std::vector<Registration> registrations;  // in order of registration
  std::vector<DdeCall> log;
  bool failNextInitialize = false;
  UINT nextInitializeError = DMLERR_NO_ERROR;
};

State& TheState();

// Loads the DDE peers that QC_DDE_PEERS names, once (DdePeers.cpp).
void LoadPeersOnce();

template <typename H>
HandleId IdOf(H handle) {
  return reinterpret_cast<HandleId>(handle);
}
template <typename H>
H HandleOf(HandleId id) {
  return reinterpret_cast<H>(id);
}

HandleId NewHandle();

Instance* FindInstance(DWORD id);
// Sets the error of a live instance; does nothing for an unknown one.
void SetError(DWORD instance, UINT error);

// Calls the instance's callback; 0 when the instance is gone or ending. The
// callback may call DDEML again, so callers look everything up afresh after.
HDDEDATA Invoke(DWORD instance, UINT type, UINT format, HandleId conversation, HandleId hsz1,
                HandleId hsz2, HandleId data, ULONG_PTR data1, ULONG_PTR data2);

StringEntry* FindString(HandleId hsz);
std::string StringText(HandleId hsz);  // empty when unknown
void AddReference(HandleId hsz, DWORD holder);
bool DropReference(HandleId hsz, DWORD holder);  // false when `holder` has none

DataBlock* FindData(HandleId hdata);
// Zero-filled storage of exactly `size` bytes for a data block.
std::unique_ptr<BYTE[]> NewBlock(DWORD size);

// Index of the live conversation that has `handle` as either side, or -1.
long FindConversation(HandleId handle);
// Ends conversation `index`; the side other than `endingHandle` is told.
void EndConversation(long index, HandleId endingHandle);

// Appends to the call log; empty parts are left out.
void Log(DWORD instance, std::initializer_list<std::string> parts);

// Runs one DDEML call so that no exception leaves it: running out of memory
// makes the call fail with DMLERR_MEMORY_ERROR on `instance`.
template <typename R, typename Body>
R Guarded(DWORD instance, R failure, Body body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    SetError(instance, DMLERR_MEMORY_ERROR);
    return failure;
  }
}

}  // namespace posix_dde
