#include "installer/registry/ProductKeyReader.h"

ProductKeyReader::ProductKeyReader() : isOpen(false) {
  // The key is opened for reading and writing, so an account that may only
  // read it gets no base path.
  isOpen = key.OpenRoot(RegistryKey::kLocalMachine, nullptr) &&
           key.OpenSubKey(kKeyPath, RegistryKey::kReadWrite);
}

ProductKeyReader::~ProductKeyReader() {
  if (isOpen) key.CloseSubKey();
}

bool ProductKeyReader::ReadBasePath(char* buffer) {
  if (!isOpen) return false;
  return key.QueryValue(kBasePathValue, buffer, kBasePathSize, nullptr) != 0;
}
