#include "launcher/messaging/BrowserWindowFinder.h"

#include "launcher/messaging/PlatformText.h"

namespace native_host {

namespace {

struct CaptionSearch {
  std::string prefix;
  HWND found;
};

BOOL CALLBACK TakeFirstMatch(HWND window, LPARAM context) {
  CaptionSearch* search = reinterpret_cast<CaptionSearch*>(context);
  if (::IsWindowVisible(window) && CaptionBeginsWith(window, search->prefix)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindBrowserWindow(uintptr_t parentWindow, const std::string& title) {
  HWND given = reinterpret_cast<HWND>(parentWindow);
  if (given != nullptr && ::IsWindow(given)) {
    HWND owner = ::GetAncestor(given, GA_ROOTOWNER);
    return owner != nullptr ? owner : given;
  }
  HWND foreground = ::GetForegroundWindow();
  if (foreground != nullptr && CaptionBeginsWith(foreground, title)) {
    return foreground;
  }
  CaptionSearch search{title + " ", nullptr};
  ::EnumWindows(TakeFirstMatch, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace native_host
