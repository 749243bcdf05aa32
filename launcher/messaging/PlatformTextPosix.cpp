#include <vector>

#include "launcher/messaging/PlatformText.h"

namespace native_host {

bool CaptionBeginsWith(HWND window, const std::string& prefix) {
  int length = ::GetWindowTextLengthA(window);
  if (length < static_cast<int>(prefix.size())) {
    return false;
  }
  std::vector<char> caption(static_cast<size_t>(length) + 1);
  ::GetWindowTextA(window, caption.data(), length + 1);
  return std::string(caption.data()).compare(0, prefix.size(), prefix) == 0;
}

BOOL GiveTitle(CKZ_meter* control, const std::string& title) {
  return control->SetTitle(title.c_str());
}

BOOL GiveUrl(CKZ_meter* control, BOOL mode, const std::string& url) {
  return mode ? control->SaveMode1(url.c_str()) : control->SaveDefault(url.c_str());
}

}  // namespace native_host
