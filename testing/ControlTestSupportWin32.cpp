#include "platform/Win32Api.h"
#include "testing/ControlTestSupport.h"
#include "testing/RecordingControlModule.h"

namespace control_test {

const char* RecordingControlModule() { return QC_RECORDING_CONTROL_MODULE; }

bool RecordingControlLoaded() { return ::GetModuleHandleA("RecordingControl.dll") != nullptr; }

long RecordingControlObjects() {
  HMODULE module = ::GetModuleHandleA("RecordingControl.dll");
  if (module == nullptr) {
    return 0;
  }
  typedef LONG (*CountFunction)();
  auto count = reinterpret_cast<CountFunction>(
      reinterpret_cast<void*>(::GetProcAddress(module, "QcRecordingControlObjects")));
  return count != nullptr ? count() : 0;
}

// The control reads GetEnvironmentVariableA, which the C runtime's own
// environment copy does not feed.
void SetEnvironment(const char* name, const char* value) { ::SetEnvironmentVariableA(name, value); }

}  // namespace control_test
