// A registry of a test's own to fill with keys and values.
// POSIX: a fresh, empty hive file, named by QC_REGISTRY_FILE while the
// scratch lives, and removed with its directory at the end.
// Windows: the real registry, in the view the scratch is made for (0: the
// process's own; KEY_WOW64_32KEY: where 32-bit programs write on 64-bit
// Windows; KEY_WOW64_64KEY); at the end the scratch deletes every value it
// set and every key it created or was told about, deepest first. The
// POSIX registry has one view and ignores it.
#pragma once

#include <string>
#include <vector>

#include "platform/Win32Api.h"

class RegistryScratch {
 public:
  explicit RegistryScratch(REGSAM view = 0);
  ~RegistryScratch();
  RegistryScratch(const RegistryScratch&) = delete;
  RegistryScratch& operator=(const RegistryScratch&) = delete;

  // Creates the key and every missing key above it; false when a call failed.
  bool CreateKey(HKEY root, const std::string& path);
  // Sets a value exactly as given (no NUL added), creating its key.
  bool SetBytes(HKEY root, const std::string& path, const char* name, DWORD type, const void* data,
                DWORD size);
  // Sets a REG_SZ value with its terminating NUL.
  bool SetString(HKEY root, const std::string& path, const char* name, const std::string& text);
  // A key the test created by other means, to be deleted at the end.
  void RemoveAtEnd(HKEY root, const std::string& path);

  // The hive file on POSIX; empty on Windows.
  const std::string& hivePath() const { return hive; }

 private:
  struct Entry {
    HKEY root;
    std::string path;
    std::string value;  // empty: the entry is a key
    bool isKey;
  };
  std::vector<Entry> entries;  // in the order made; undone in reverse
  REGSAM view;
  std::string hive;
  std::string directory;
  std::string oldVariable;
  bool hadVariable = false;
};
