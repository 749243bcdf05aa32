// Reads the product's installation directory from its own registry key.
#pragma once

#include "installer/registry/RegistryKey.h"

class ProductKeyReader {
 public:
  // Under HKEY_LOCAL_MACHINE.
  static constexpr const char kKeyPath[] = "Software\\Ortwell\\Brackel\\4.0";
  static constexpr const char kBasePathValue[] = "Base Path";
  static constexpr DWORD kBasePathSize = 260;

  // Opens the product's key for reading and writing; isOpen tells whether it worked.
  ProductKeyReader();
  ~ProductKeyReader();
  ProductKeyReader(const ProductKeyReader&) = delete;
  ProductKeyReader& operator=(const ProductKeyReader&) = delete;

  // buffer holds at least kBasePathSize bytes. True when the value was read
  // or the buffer set to an empty text; false, with the buffer untouched,
  // when the key is not open.
  bool ReadBasePath(char* buffer);

  bool isOpen;
  RegistryKey key;
};
