#include "platform/posix/Win32Types.h"

namespace {
// One thread per program, as on the systems these programs run on.
DWORD lastError = 0;
}  // namespace

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD error) { lastError = error; }
