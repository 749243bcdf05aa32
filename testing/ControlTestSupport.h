// What tests need around the recording meter control: its registration under
// the meter control's class id, where the built module is, how many of its
// objects are alive, and setting the environment it reads (QC_CONTROL_LOG,
// QC_CONTROL_FAIL) in a way the control sees on both targets.
#pragma once

namespace control_test {

// The meter control's class id, as the registry spells it.
extern const char kClassIdText[];

// The built recording control, as the registry names it: a Windows path
// (Z:\...) on Windows, the .so's path on POSIX.
const char* RecordingControlModule();

// HKEY_CLASSES_ROOT\CLSID\{class id}\InprocServer32: default value = the
// module, ThreadingModel = Apartment. On POSIX this goes to the hive named by
// QC_REGISTRY_FILE.
bool RegisterRecordingControl(const char* modulePath);
bool UnregisterRecordingControl();

// Whether the recording control module is loaded in this process, and how
// many of its control objects are alive (0 when it is not loaded).
bool RecordingControlLoaded();
long RecordingControlObjects();

// Sets (or, for a null value, removes) an environment variable of this
// process so that the control and any child process see it.
void SetEnvironment(const char* name, const char* value);

}  // namespace control_test
