#include "platform/posix/DdeState.h"

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
