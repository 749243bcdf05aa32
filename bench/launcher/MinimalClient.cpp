// The least a client can do for the launcher's answer: the same requests in
// the same order (the window list, then each window's information and frame
// parent, then the current window), with nothing else around them: no host
// window, no control, no catalogue. The benchmark times it beside Snaplet.
#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

HDDEDATA CALLBACK Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return 0;
}

HDDEDATA Request(DWORD instance, HCONV conversation, const char* item) {
  HSZ itemHandle = DdeCreateStringHandleA(instance, item, CP_WINANSI);
  HDDEDATA reply = DdeClientTransaction(nullptr, 0, conversation, itemHandle, CF_TEXT, XTYP_REQUEST,
                                        60000, nullptr);
  DdeFreeStringHandle(instance, itemHandle);
  return reply;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, Callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    return 1;
  }
  HSZ service = DdeCreateStringHandleA(instance, "NETSCAPE", CP_WINANSI);
  HSZ listTopic = DdeCreateStringHandleA(instance, "WWW_ListWindows", CP_WINANSI);
  HSZ infoTopic = DdeCreateStringHandleA(instance, "WWW_GetWindowInfo", CP_WINANSI);
  HSZ parentTopic = DdeCreateStringHandleA(instance, "WWW_GetFrameParent", CP_WINANSI);
  HCONV list = DdeConnect(instance, service, listTopic, nullptr);
  HCONV info = DdeConnect(instance, service, infoTopic, nullptr);
  HCONV parent = DdeConnect(instance, service, parentTopic, nullptr);
  int answered = 0;
  HDDEDATA ids =
      DdeClientTransaction(nullptr, 0, list, listTopic, CF_TEXT, XTYP_REQUEST, 60000, nullptr);
  if (ids != 0) {
    ++answered;
    DWORD size = 0;
    const BYTE* data = DdeAccessData(ids, &size);
    for (DWORD offset = 0; data != nullptr && offset + 4 <= size; offset += 4) {
      DWORD id;
      std::memcpy(&id, data + offset, 4);
      if (id == 0) break;
      char item[16];
      std::snprintf(item, sizeof item, "%lu", static_cast<unsigned long>(id));
      for (HCONV conversation : {info, parent}) {
        HDDEDATA reply = Request(instance, conversation, item);
        if (reply != 0) {
          ++answered;
          DdeFreeDataHandle(reply);
        }
      }
    }
    DdeUnaccessData(ids);
    DdeFreeDataHandle(ids);
  }
  HDDEDATA current = Request(instance, info, "4294967295");
  if (current != 0) {
    ++answered;
    DdeFreeDataHandle(current);
  }
  for (HCONV conversation : {list, info, parent}) {
    if (conversation != 0) DdeDisconnect(conversation);
  }
  for (HSZ handle : {service, listTopic, infoTopic, parentTopic}) {
    DdeFreeStringHandle(instance, handle);
  }
  DdeUninitialize(instance);
  return answered > 0 ? 0 : 2;
}
