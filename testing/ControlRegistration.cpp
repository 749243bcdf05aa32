#include <cstring>
#include <string>

#include "platform/Win32Api.h"
#include "testing/ControlTestSupport.h"

namespace control_test {

const char kClassIdText[] = "{65F9375D-5F5F-11D1-B67C-008029E43217}";

namespace {

std::string ClassKey() { return std::string("CLSID\\") + kClassIdText; }

bool SetText(HKEY key, const char* name, const char* text) {
  return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

}  // namespace

bool RegisterRecordingControl(const char* modulePath) {
  if (modulePath == nullptr) {
    return false;
  }
  HKEY key = nullptr;
  std::string serverKey = ClassKey() + "\\InprocServer32";
  if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool written = SetText(key, nullptr, modulePath) && SetText(key, "ThreadingModel", "Apartment");
  ::RegCloseKey(key);
  return written;
}

bool UnregisterRecordingControl() {
  std::string classKey = ClassKey();
  LONG server = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (classKey + "\\InprocServer32").c_str());
  LONG top = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, classKey.c_str());
  // Gone already is as good as removed.
  return (server == ERROR_SUCCESS || server == ERROR_FILE_NOT_FOUND) &&
         (top == ERROR_SUCCESS || top == ERROR_FILE_NOT_FOUND);
}

}  // namespace control_test
