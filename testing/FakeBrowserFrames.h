// The browser's main windows: one top-level window per top-level browser
// window of a script (no frame parent), captioned with its title followed by
// the browser's caption suffix, so that a client finds it as it would find
// the real browser.
#pragma once

#include <vector>

#include "platform/Win32Api.h"
#include "testing/FakeBrowserScript.h"

namespace fake_browser {

class FakeBrowserFrames {
 public:
  FakeBrowserFrames() = default;
  ~FakeBrowserFrames();
  FakeBrowserFrames(const FakeBrowserFrames&) = delete;
  FakeBrowserFrames& operator=(const FakeBrowserFrames&) = delete;

  // False when a window could not be created; those made stay until Destroy.
  bool Create(const Script& script);
  void Destroy();
  const std::vector<HWND>& windows() const { return windows_; }

 private:
  std::vector<HWND> windows_;
};

}  // namespace fake_browser
