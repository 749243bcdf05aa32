// qc_register_control register [module] | unregister
// Registers the recording meter control under the meter control's class id
// (by default the one built in this tree), or removes that registration. On
// POSIX the registry is the hive named by QC_REGISTRY_FILE.
#include <cstdio>
#include <cstring>

#include "testing/ControlTestSupport.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "register") == 0 && argc <= 3) {
    const char* module = argc == 3 ? argv[2] : control_test::RecordingControlModule();
    if (!control_test::RegisterRecordingControl(module)) {
      std::fprintf(stderr, "qc_register_control: cannot register %s\n", module);
      return 1;
    }
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "unregister") == 0) {
    if (!control_test::UnregisterRecordingControl()) {
      std::fprintf(stderr, "qc_register_control: cannot remove the registration\n");
      return 1;
    }
    return 0;
  }
  std::fprintf(stderr, "usage: qc_register_control register [module] | unregister\n");
  return 2;
}
