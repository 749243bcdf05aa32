#include "installer/registry/RegistryViews.h"

namespace installer::registry {

namespace {

const REGSAM kViewOrder[] = {KEY_WOW64_32KEY, KEY_WOW64_64KEY};

}  // namespace

LONG OpenKey(HKEY root, const char* path, REGSAM access, bool create, HKEY* opened) {
  LONG result = ERROR_FILE_NOT_FOUND;
  for (REGSAM view : kViewOrder) {
    result = RegOpenKeyExA(root, path, 0, access | view, opened);
    if (result != ERROR_FILE_NOT_FOUND) return result;
  }
  if (!create) return result;
  DWORD disposition = 0;
  return RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access | kViewOrder[0],
                         nullptr, opened, &disposition);
}

}  // namespace installer::registry
