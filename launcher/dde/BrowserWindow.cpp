#include "launcher/dde/BrowserWindow.h"

#include <cstdlib>
#include <cstring>

char* CopyOwnedString(const char* text) {
  if (text == nullptr) {
    return nullptr;
  }
  size_t length = std::strlen(text);
  char* copy = static_cast<char*>(std::malloc(length + 1));
  if (copy != nullptr) {
    std::memcpy(copy, text, length + 1);
  }
  return copy;
}

void FreeOwnedString(char* text) { std::free(text); }

void CopyBounded(char* destination, size_t destinationSize, const char* text) {
  if (destinationSize == 0) {
    return;
  }
  size_t length = std::strlen(text);
  if (length >= destinationSize) {
    length = destinationSize - 1;
  }
  std::memcpy(destination, text, length);
  destination[length] = '\0';
}
