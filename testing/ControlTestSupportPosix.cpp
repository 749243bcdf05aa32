#include <dlfcn.h>
#include <stdlib.h>

#include "platform/Win32Api.h"
#include "testing/ControlTestSupport.h"
#include "testing/RecordingControlModule.h"

namespace control_test {

const char* RecordingControlModule() { return QC_RECORDING_CONTROL_MODULE; }

bool RecordingControlLoaded() {
  void* module = dlopen(QC_RECORDING_CONTROL_MODULE, RTLD_NOW | RTLD_NOLOAD);
  if (module == nullptr) {
    return false;
  }
  dlclose(module);
  return true;
}

long RecordingControlObjects() {
  void* module = dlopen(QC_RECORDING_CONTROL_MODULE, RTLD_NOW | RTLD_NOLOAD);
  if (module == nullptr) {
    return 0;
  }
  typedef LONG (*CountFunction)();
  auto count = reinterpret_cast<CountFunction>(dlsym(module, "QcRecordingControlObjects"));
  long objects = count != nullptr ? count() : 0;
  dlclose(module);
  return objects;
}

void SetEnvironment(const char* name, const char* value) {
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace control_test
