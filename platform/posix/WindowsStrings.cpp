#include "platform/posix/WindowsStrings.h"

#include <cstring>
#include <utility>
#include <vector>

#include "platform/posix/Windows.h"

namespace posix_windows {

namespace {

// Filled during static initialisation, so it is built on first use.
std::vector<std::pair<const StringResource*, int>>& Tables() {
  static std::vector<std::pair<const StringResource*, int>> tables;
  return tables;
}

const char* FindString(UINT id) {
  for (const auto& [entries, count] : Tables()) {
    for (int i = 0; i < count; ++i) {
      if (entries[i].id == id) {
        return entries[i].text;
      }
    }
  }
  return nullptr;
}

}  // namespace

void RegisterStringTable(const StringResource* entries, int count) {
  if (entries != nullptr && count > 0) {
    Tables().emplace_back(entries, count);
  }
}

}  // namespace posix_windows

int LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int nBufferMax) {
  if (lpBuffer == nullptr || nBufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char* text = posix_windows::FindString(uID);
  if (text == nullptr) {
    lpBuffer[0] = '\0';
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  size_t length = std::strlen(text);
  size_t count =
      length < static_cast<size_t>(nBufferMax - 1) ? length : static_cast<size_t>(nBufferMax - 1);
  std::memcpy(lpBuffer, text, count);
  lpBuffer[count] = '\0';
  return static_cast<int>(count);
}
