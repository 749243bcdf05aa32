#include "installer/shared/FileWrite.h"

BOOL WriteBytes(HANDLE file, const char* bytes, size_t size) {
  if (size > 0xFFFFFFFFu) {
    return FALSE;
  }
  DWORD written = 0;
  DWORD count = static_cast<DWORD>(size);
  return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

BOOL WriteView(HANDLE file, std::string_view text) {
  return WriteBytes(file, text.data(), text.size());
}
