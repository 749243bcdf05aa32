// The installer's registry wrapper: one root key and at most one open subkey
// at a time, with the result code of its last call. It closes what it opened
// when it is destroyed.
#pragma once

#include "platform/Win32Api.h"

class RegistryKey {
 public:
  // Root numbers of OpenRoot.
  enum { kLocalMachine = 1, kClassesRoot = 2, kUsers = 3, kCurrentUser = 4 };
  // Modes of OpenSubKey.
  enum { kRead = 1, kReadWrite = 2, kCreate = 3 };
  static constexpr size_t kNameSize = 512;

  RegistryKey();
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // 1 on success, 0 on failure (lastError tells why). A null machine name is
  // this machine. Whatever was open before is closed first.
  int OpenRoot(int root, const char* machine);
  // Opens a subkey of the root (modes above), after closing the open one.
  int OpenSubKey(const char* path, int mode);
  // Reads a value of the open subkey into buffer as a terminated text; when
  // the value cannot be read whole, the default text (or an empty text)
  // instead. Returns 1; lastError tells the two apart.
  int QueryValue(const char* name, char* buffer, DWORD bufferSize, const char* defaultText);
  LONG CloseSubKey();
  LONG CloseRoot();

  HKEY rootKey;
  HKEY subKey;
  LONG lastError;
  char machineName[kNameSize];
  char subKeyPath[kNameSize];
  int rootOpen;

 private:
  // HKEY_LOCAL_MACHINE, here or on another machine: its keys are looked up
  // in the registry's views (RegistryViews.h).
  bool rootHasViews;
};
