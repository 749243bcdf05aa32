#include "testing/FakeBrowserFrames.h"

#include <string>

#include "browser/BrowserInterface.h"

namespace fake_browser {

FakeBrowserFrames::~FakeBrowserFrames() { Destroy(); }

bool FakeBrowserFrames::Create(const Script& script) {
  bool created = true;
  for (const Window& window : script.windows) {
    if (window.parent != kNone) continue;
    const std::string caption = window.title + browser::kCaptionSuffix;
    // A predefined class, so nothing needs registering.
    HWND frame = CreateWindowExA(0, "STATIC", caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    if (frame) {
      windows_.push_back(frame);
    } else {
      created = false;
    }
  }
  return created;
}

void FakeBrowserFrames::Destroy() {
  for (HWND frame : windows_) DestroyWindow(frame);
  windows_.clear();
}

}  // namespace fake_browser
