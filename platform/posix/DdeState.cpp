#include "platform/posix/DdeState.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define QC_POISON_EMPTY_BLOCKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define QC_POISON_EMPTY_BLOCKS 1
#endif
#endif

namespace posix_dde {

State& TheState() {
  // Never destroyed: a program's static objects may still call DDEML while
  // the process ends.
  static State* state = new State;
  return *state;
}

HandleId NewHandle() { return TheState().nextHandle++; }

Instance* FindInstance(DWORD id) {
  auto& instances = TheState().instances;
  auto found = instances.find(id);
  return found == instances.end() ? nullptr : &found->second;
}

void SetError(DWORD instance, UINT error) {
  if (Instance* found = FindInstance(instance)) found->lastError = error;
}

HDDEDATA Invoke(DWORD instance, UINT type, UINT format, HandleId conversation, HandleId hsz1,
                HandleId hsz2, HandleId data, ULONG_PTR data1, ULONG_PTR data2) {
  Instance* target = FindInstance(instance);
  if (!target || target->ending || !target->callback) return 0;
  PFNCALLBACK callback = target->callback;
  return callback(type, format, HandleOf<HCONV>(conversation), HandleOf<HSZ>(hsz1),
                  HandleOf<HSZ>(hsz2), HandleOf<HDDEDATA>(data), data1, data2);
}

DataBlock* FindData(HandleId hdata) {
  auto& data = TheState().data;
  auto found = data.find(hdata);
  return found == data.end() ? nullptr : &found->second;
}

std::unique_ptr<BYTE[]> NewBlock(DWORD size) {
  std::unique_ptr<BYTE[]> block(new BYTE[size]());
#ifdef QC_POISON_EMPTY_BLOCKS
  // The sanitizer hands out one readable byte for an empty allocation; a
  // reader of an empty answer must not get it.
  if (size == 0) __asan_poison_memory_region(block.get(), 1);
#endif
  return block;
}

void Log(DWORD instance, std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += ' ';
    text += part;
  }
  TheState().log.push_back(DdeCall{instance, text});
}

const std::vector<DdeCall>& CallLog() { return TheState().log; }

void ClearCallLog() { TheState().log.clear(); }

void FailNextInitialize(UINT error) {
  TheState().failNextInitialize = true;
  TheState().nextInitializeError = error;
}

size_t LiveInstances() { return TheState().instances.size(); }
size_t LiveStringHandles() { return TheState().strings.size(); }
size_t LiveDataHandles() { return TheState().data.size(); }
size_t LiveConversations() { return TheState().conversations.size(); }

}  // namespace posix_dde
