#include <vector>

#include "launcher/messaging/PlatformText.h"
#include "launcher/messaging/WideText.h"

namespace native_host {

bool CaptionBeginsWith(HWND window, const std::string& prefix) {
  std::wstring widePrefix;
  if (!WideFromUtf8(prefix, &widePrefix)) {
    return false;
  }
  int length = ::GetWindowTextLengthW(window);
  if (length < static_cast<int>(widePrefix.size())) {
    return false;
  }
  std::vector<wchar_t> caption(static_cast<size_t>(length) + 1);
  ::GetWindowTextW(window, caption.data(), length + 1);
  return std::wstring(caption.data()).compare(0, widePrefix.size(), widePrefix) == 0;
}

BOOL GiveTitle(CKZ_meter* control, const std::string& title) {
  std::wstring wide;
  return WideFromUtf8(title, &wide) ? control->SetTitleW(wide.c_str()) : FALSE;
}

BOOL GiveUrl(CKZ_meter* control, BOOL mode, const std::string& url) {
  std::wstring wide;
  if (!WideFromUtf8(url, &wide)) {
    return FALSE;
  }
  return mode ? control->SaveMode1W(wide.c_str()) : control->SaveDefaultW(wide.c_str());
}

}  // namespace native_host
