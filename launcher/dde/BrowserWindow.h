// One browser window's information, as the DDE link catalogues it and as it
// delivers it to a caller. Owned strings are heap texts made with
// CopyOwnedString and given back with FreeOwnedString.
#pragma once

#include "platform/Win32Api.h"

constexpr size_t kRecordUrlSize = 2059;
constexpr size_t kInfoUrlSize = 2068;

struct BrowserWindowRecord {
  char url[kRecordUrlSize];
  char* extraText;  // owned, or null
  char* title;      // owned, or null
  DWORD windowId;
  DWORD frameParentId;  // 0xFFFFFFFF: no parent, or the browser did not say
};

struct BrowserWindowInfo {
  char* extraText;  // owned by the holder, or null
  char* title;      // owned by the holder, or null
  char url[kInfoUrlSize];
};

// A heap copy of the text, or null when the text is null or no memory is left.
char* CopyOwnedString(const char* text);
void FreeOwnedString(char* text);

// Copies the text into a buffer of the given size, cutting it to fit; the
// buffer always ends up terminated.
void CopyBounded(char* destination, size_t destinationSize, const char* text);
