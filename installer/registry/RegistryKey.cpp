#include "installer/registry/RegistryKey.h"

#include <cstring>

#include "installer/registry/RegistryViews.h"

namespace {

// Copies text into a buffer of size bytes as a terminated text, cut to fit.
void CopyText(char* buffer, size_t size, const char* text) {
  if (size == 0) return;
  size_t length = std::strlen(text);
  if (length >= size) length = size - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}

HKEY PredefinedRoot(int root) {
  switch (root) {
    case RegistryKey::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryKey::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryKey::kUsers:
      return HKEY_USERS;
    case RegistryKey::kCurrentUser:
      return HKEY_CURRENT_USER;
    default:
      return nullptr;
  }
}

}  // namespace

RegistryKey::RegistryKey()
    : rootKey(nullptr),
      subKey(nullptr),
      lastError(ERROR_SUCCESS),
      rootOpen(0),
      rootHasViews(false) {
  machineName[0] = '\0';
  subKeyPath[0] = '\0';
}

RegistryKey::~RegistryKey() {
  CloseSubKey();
  if (rootOpen == 1) {
    CloseRoot();
    rootOpen = 0;
  }
}

int RegistryKey::OpenRoot(int root, const char* machine) {
  if (subKey) {
    RegCloseKey(subKey);
    subKey = nullptr;
  }
  if (rootOpen == 1) {
    RegCloseKey(rootKey);
    rootOpen = 0;
  }
  // A failed open leaves no root key behind to be closed later.
  rootKey = nullptr;
  rootHasViews = false;

  HKEY predefined = PredefinedRoot(root);
  if (!predefined) {
    lastError = ERROR_INVALID_PARAMETER;
    return 0;
  }
  if (root == kClassesRoot || root == kCurrentUser) {
    // These two exist only on this machine.
    if (machine) {
      lastError = ERROR_INVALID_HANDLE;
      return 0;
    }
    rootKey = predefined;
    lastError = ERROR_SUCCESS;
  } else if (!machine) {
    rootKey = predefined;
    lastError = ERROR_SUCCESS;
  } else if (std::strlen(machine) >= kNameSize) {
    // machineName could not record it.
    lastError = ERROR_INVALID_PARAMETER;
  } else {
    HKEY remote = nullptr;
    lastError = RegConnectRegistryA(machine, predefined, &remote);
    if (lastError == ERROR_SUCCESS) rootKey = remote;
  }
  if (lastError != ERROR_SUCCESS) return 0;

  rootOpen = 1;
  rootHasViews = root == kLocalMachine;
  CopyText(machineName, kNameSize, machine ? machine : "\\\\.");
  return 1;
}

int RegistryKey::OpenSubKey(const char* path, int mode) {
  if (subKey) {
    lastError = RegCloseKey(subKey);
    subKey = nullptr;
  }
  if (mode != kRead && mode != kReadWrite && mode != kCreate) return 0;
  if (path && std::strlen(path) >= kNameSize) {
    // subKeyPath could not record it.
    lastError = ERROR_INVALID_PARAMETER;
    return 0;
  }

  HKEY opened = nullptr;
  REGSAM access = mode == kRead        ? KEY_READ
                  : mode == kReadWrite ? KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY
                                       : KEY_ALL_ACCESS;
  if (rootHasViews) {
    lastError = installer::registry::OpenKey(rootKey, path, access, mode == kCreate, &opened);
  } else if (mode == kCreate) {
    DWORD disposition = 0;
    lastError = RegCreateKeyExA(rootKey, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                &opened, &disposition);
  } else {
    lastError = RegOpenKeyExA(rootKey, path, 0, access, &opened);
  }
  if (lastError != ERROR_SUCCESS) return 0;

  subKey = opened;
  CopyText(subKeyPath, kNameSize, path ? path : "");
  return 1;
}

int RegistryKey::QueryValue(const char* name, char* buffer, DWORD bufferSize,
                            const char* defaultText) {
  DWORD type = REG_NONE;
  DWORD size = bufferSize;
  lastError =
      RegQueryValueExA(subKey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (!buffer || bufferSize == 0) return 1;
  if (lastError == ERROR_SUCCESS) {
    // A stored text may lack its NUL, or fill the buffer: callers get a
    // terminated text all the same, cut by one byte only in the latter case.
    buffer[size < bufferSize ? size : bufferSize - 1] = '\0';
  } else {
    CopyText(buffer, bufferSize, defaultText ? defaultText : "");
  }
  return 1;
}

LONG RegistryKey::CloseSubKey() {
  if (!subKey) return ERROR_SUCCESS;
  LONG result = RegCloseKey(subKey);
  lastError = result;
  if (result == ERROR_SUCCESS) subKey = nullptr;
  return result;
}

LONG RegistryKey::CloseRoot() {
  if (!rootKey) return ERROR_SUCCESS;
  lastError = RegCloseKey(rootKey);
  if (lastError == ERROR_SUCCESS) rootKey = nullptr;
  return lastError;
}
