// The launcher's catalogue of browser windows and its climb from the
// current page to its top-level window, against a browser whose every reply
// is fuzz input: the window list, each window's information and each frame
// parent, in the order the launcher asks for them. Besides the absence of
// faults and leaks of DDEML handles: no more requests than the list
// warrants, and none after one that timed out.
//
// Input: one part per request, cut at "--8<--" lines. A part is the reply's
// data as it stands, except: an empty part or one starting with "!" is a
// refusal, one starting with "~" a browser that does not answer, and one
// starting with "=" is data made of the rest (so that data may start with
// any byte). Requests beyond the last part are refused.
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "browser/BrowserInterface.h"
#include "fuzz/FuzzSupport.h"
#include "launcher/dde/DdeLink.h"
#include "platform/posix/DdeTestHooks.h"

namespace {

using fuzz_input::Check;

// DDEML's callback carries no context: the one browser of the run.
struct Browser {
  DWORD instance = 0;
  HSZ service = 0;
  std::vector<std::string_view> replies;
  size_t requests = 0;
  size_t requestsWhenSilent = 0;  // 0 until the browser first stays silent
};
Browser* browser = nullptr;

HDDEDATA Reply(Browser& b, HSZ item, UINT format) {
  std::string_view part = b.requests < b.replies.size() ? b.replies[b.requests] : "";
  ++b.requests;
  if (part.empty() || part[0] == '!') {
    return 0;
  }
  if (part[0] == '~') {
    if (b.requestsWhenSilent == 0) {
      b.requestsWhenSilent = b.requests;
    }
    return CBR_BLOCK;
  }
  if (part[0] == '=') {
    part.remove_prefix(1);
  }
  std::vector<BYTE> bytes(part.begin(), part.end());
  return DdeCreateDataHandle(b.instance, bytes.data(), static_cast<DWORD>(bytes.size()), 0, item,
                             format, 0);
}

HDDEDATA CALLBACK BrowserCallback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA,
                                  ULONG_PTR, ULONG_PTR) {
  if (browser == nullptr) {
    return 0;
  }
  switch (type) {
    case XTYP_CONNECT:
      // hsz2 is the service; every topic is accepted.
      (void)hsz1;
      return reinterpret_cast<HDDEDATA>(
          static_cast<intptr_t>(DdeCmpStringHandles(hsz2, browser->service) == 0));
    case XTYP_REQUEST:
      return Reply(*browser, hsz2, format);
    default:
      return 0;
  }
}

bool StartBrowser(Browser& b) {
  if (DdeInitializeA(&b.instance, BrowserCallback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) {
    return false;
  }
  b.service = DdeCreateStringHandleA(b.instance, browser::kDdeService, CP_WINANSI);
  browser = &b;
  return b.service != 0 && DdeNameService(b.instance, b.service, 0, DNS_REGISTER) != 0;
}

void StopBrowser(Browser& b) {
  if (b.service != 0) {
    DdeNameService(b.instance, b.service, 0, DNS_UNREGISTER);
    DdeFreeStringHandle(b.instance, b.service);
  }
  DdeUninitialize(b.instance);
  browser = nullptr;
}

bool Terminated(const char* text, size_t size) { return strnlen(text, size) < size; }

// The launcher's run: catalogue, climb, and the found window's information.
void LauncherRun(const Browser& b) {
  DdeLink link;
  Check(link.initialized != 0, "the link opens its instance");
  link.RefreshWindowList();
  // The list's reply, when there was one, was the first request.
  size_t listedIds = b.replies.empty() ? 0 : b.replies[0].size() / 4;
  Check(static_cast<size_t>(link.windowList.size) <= listedIds,
        "no more windows are catalogued than listed");
  Check(b.requests <= 1 + 2 * listedIds, "two requests per listed window at most");
  for (int i = 0; i < link.windowList.size; ++i) {
    Check(Terminated(link.windowList.data[i].url, kRecordUrlSize), "a record's URL fits");
  }

  DWORD top = link.FindCurrentTopWindow();
  BrowserWindowInfo info;
  info.extraText = nullptr;
  info.title = nullptr;
  info.url[0] = '\0';
  if (link.CopyWindowInfo(&info, top)) {
    Check(Terminated(info.url, kInfoUrlSize), "the delivered URL fits");
  }
  FreeOwnedString(info.title);
  FreeOwnedString(info.extraText);
  // A browser that stopped answering costs one time-out, not one per request.
  Check(b.requestsWhenSilent == 0 || b.requests == b.requestsWhenSilent,
        "no request follows one that timed out");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t instancesBefore = posix_dde::LiveInstances();
  size_t stringsBefore = posix_dde::LiveStringHandles();
  size_t dataBefore = posix_dde::LiveDataHandles();
  {
    Browser b;
    b.replies = fuzz_input::SplitParts(data, size);
    Check(StartBrowser(b), "the browser starts");
    LauncherRun(b);
    StopBrowser(b);
  }
  Check(posix_dde::LiveInstances() == instancesBefore, "every instance ends");
  Check(posix_dde::LiveConversations() == 0, "every conversation ends");
  Check(posix_dde::LiveStringHandles() == stringsBefore, "no string handle is left behind");
  Check(posix_dde::LiveDataHandles() == dataBefore, "no data handle is left behind");
  posix_dde::ClearCallLog();
  return 0;
}
