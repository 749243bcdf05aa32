// Controls on POSIX: the class id leads through the registry to a control
// module, which is loaded for as long as its control lives.
#include "framework/ControlSite.h"

#include <dlfcn.h>

#include <cstdio>
#include <new>
#include <string>

#include "framework/posix/ControlModule.h"

struct COleControlSite {
  void* module;
  QcControl* control;
  QcControlInvokeFunction invoke;
  QcControlDestroyFunction destroy;
};

namespace {

const QcControlHost kHost = {
    QC_CONTROL_ABI_VERSION, &::CreateWindowExA, &::DestroyWindow, &::IsWindow,
    &::GetAncestor,         &::GetWindowTextA,  &::GetClientRect};

// The module registered for the class, from InprocServer32's default value.
bool FindModule(REFCLSID clsid, std::string* path) {
  char subKey[96];
  std::snprintf(subKey, sizeof subKey,
                "CLSID\\{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}\\InprocServer32",
                clsid.Data1, clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1],
                clsid.Data4[2], clsid.Data4[3], clsid.Data4[4], clsid.Data4[5], clsid.Data4[6],
                clsid.Data4[7]);
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  char value[MAX_PATH + 1];
  DWORD type = REG_NONE;
  DWORD size = MAX_PATH;
  LONG status =
      ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) {
    return false;
  }
  value[size <= MAX_PATH ? size : MAX_PATH] = '\0';
  *path = value;
  return !path->empty();
}

}  // namespace

COleControlSite* AfxCreateControlSite(REFCLSID clsid, HWND siteWindow, HWND* controlWindow) {
  *controlWindow = nullptr;
  std::string path;
  if (!FindModule(clsid, &path)) {
    return nullptr;
  }
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    return nullptr;
  }
  auto create = reinterpret_cast<QcControlCreateFunction>(dlsym(module, QC_CONTROL_CREATE_SYMBOL));
  auto invoke = reinterpret_cast<QcControlInvokeFunction>(dlsym(module, QC_CONTROL_INVOKE_SYMBOL));
  auto destroy =
      reinterpret_cast<QcControlDestroyFunction>(dlsym(module, QC_CONTROL_DESTROY_SYMBOL));
  QcControl* control = nullptr;
  HWND window = nullptr;
  if (create != nullptr && invoke != nullptr && destroy != nullptr) {
    control = create(&kHost, siteWindow, &window);
  }
  if (control == nullptr) {
    dlclose(module);
    return nullptr;
  }
  COleControlSite* site = new (std::nothrow) COleControlSite{module, control, invoke, destroy};
  if (site == nullptr) {
    destroy(control);
    dlclose(module);
    return nullptr;
  }
  *controlWindow = window;
  return site;
}

void AfxDestroyControlSite(COleControlSite* site) {
  if (site == nullptr) {
    return;
  }
  site->destroy(site->control);
  dlclose(site->module);
  delete site;
}

BOOL AfxInvokeControl(COleControlSite* site, DISPID dispId, WORD flags,
                      const ControlArgument* arguments, int argumentCount, VARTYPE resultType,
                      void* result) {
  // The module interface carries no argument or one string.
  if (argumentCount > 1 || (argumentCount == 1 && arguments[0].type != VT_BSTR)) {
    return FALSE;
  }
  LONG value = 0;
  HRESULT status = site->invoke(site->control, dispId, flags, argumentCount,
                                argumentCount == 1 ? arguments[0].text : nullptr, &value);
  if (FAILED(status)) {
    return FALSE;
  }
  switch (resultType) {
    case VT_BOOL:
      *static_cast<BOOL*>(result) = value != 0 ? TRUE : FALSE;
      break;
    case VT_I4:
      *static_cast<LONG*>(result) = value;
      break;
    case VT_I2:
      *static_cast<short*>(result) = static_cast<short>(value);
      break;
    default:
      break;
  }
  return TRUE;
}
