// The recording meter control as a POSIX control module: the same members
// and log as the COM server, over the windowing functions the host hands in.
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "framework/posix/ControlModule.h"
#include "testing/RecordingControlLog.h"

struct QcControl {
  const QcControlHost* host;
  HWND window;
};

namespace {

std::atomic<LONG> objectCount{0};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string RootCaption(const QcControl* control) {
  HWND root = control->host->GetAncestor(control->window, GA_ROOT);
  char caption[512] = "";
  if (root != nullptr) control->host->GetWindowTextA(root, caption, sizeof caption);
  return caption;
}

}  // namespace

extern "C" {

QcControl* QcControlCreate(const QcControlHost* host, HWND site, HWND* controlWindow) {
  *controlWindow = nullptr;
  if (host == nullptr || host->version != QC_CONTROL_ABI_VERSION ||
      recording_control::FailureRequested(Environment(recording_control::kFailVariable),
                                          "create")) {
    return nullptr;
  }
  RECT bounds{0, 0, 0, 0};
  host->GetClientRect(site, &bounds);
  HWND window = host->CreateWindowExA(0, "Static", "RecordingControl", WS_CHILD | WS_VISIBLE, 0, 0,
                                      bounds.right, bounds.bottom, site, nullptr, nullptr, nullptr);
  if (window == nullptr) {
    return nullptr;
  }
  QcControl* control = new (std::nothrow) QcControl{host, window};
  if (control == nullptr) {
    host->DestroyWindow(window);
    return nullptr;
  }
  ++objectCount;
  *controlWindow = window;
  return control;
}

HRESULT QcControlInvoke(QcControl* control, DISPID dispId, WORD flags, int argumentCount,
                        const char* argument, LONG* result) {
  if (!recording_control::IsKnownMember(dispId) || !(flags & DISPATCH_METHOD)) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (argumentCount != 1) {
    return DISP_E_BADPARAMCOUNT;
  }
  bool fail = recording_control::FailureRequested(Environment(recording_control::kFailVariable),
                                                  std::to_string(dispId));
  recording_control::AppendLine(
      Environment(recording_control::kLogVariable),
      recording_control::FormatCall(dispId, argument != nullptr ? argument : "",
                                    RootCaption(control), fail));
  if (fail) {
    return E_FAIL;
  }
  if (result != nullptr) *result = 1;
  return S_OK;
}

void QcControlDestroy(QcControl* control) {
  if (control == nullptr) return;
  // The host may have destroyed it along with its own window.
  if (control->host->IsWindow(control->window)) control->host->DestroyWindow(control->window);
  delete control;
  --objectCount;
}

// For tests: the control objects alive in this process.
LONG QcRecordingControlObjects() { return objectCount; }

}  // extern "C"
