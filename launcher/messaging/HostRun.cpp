#include "launcher/messaging/HostRun.h"

#include "launcher/messaging/BrowserWindowFinder.h"
#include "launcher/messaging/MessageStream.h"
#include "launcher/messaging/PlatformText.h"

namespace native_host {

bool SavePage(HostWindow* host, const PageRequest& page, uintptr_t parentWindow,
              std::string* refusal) {
  if (!host->CreateHostWindow()) {
    *refusal = "Snaplet could not make its window";
    return false;
  }
  if (!host->CreateMeter()) {
    *refusal = "Quillary's meter control is not installed";
    return false;
  }
  // With no browser window found the page is still saved, the host window
  // staying hidden and top-level: the browser that asked plainly runs.
  HWND browserWindow = FindBrowserWindow(parentWindow, page.title);
  if (browserWindow != nullptr) {
    host->MoveInto(browserWindow);
  }
  if (!GiveTitle(&host->control, page.title)) {
    *refusal = "Quillary's meter control did not take the page's title";
    return false;
  }
  if (!GiveUrl(&host->control, page.mode, page.url)) {
    *refusal = "Quillary's meter control did not save the page";
    return false;
  }
  return true;
}

int RunAsHost(const HostCommandLine& commandLine) {
  std::string refusal;
  bool saved = false;
  if (!IsOurExtension(commandLine)) {
    refusal = "the request came from an extension other than Quillary's";
  } else {
    std::string text;
    PageRequest page;
    if (ReadMessage(::GetStdHandle(STD_INPUT_HANDLE), &text, &refusal) &&
        DecodePageRequest(text, &page, &refusal)) {
      HostWindow host;
      saved = SavePage(&host, page, commandLine.parentWindow, &refusal);
    }
  }
  WriteMessage(::GetStdHandle(STD_OUTPUT_HANDLE), saved ? SavedReply() : RefusedReply(refusal));
  return saved ? 0 : 1;
}

}  // namespace native_host
