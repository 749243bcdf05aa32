// Which view of the registry a key under HKEY_LOCAL_MACHINE is looked up in.
// The browser and the product's setup are 32-bit programs: on 64-bit Windows
// what they wrote is in the 32-bit view, which a 64-bit process sees only by
// asking for it. So that the x86 and x64 programs read the same values, and a
// 64-bit writer is still found, the 32-bit view comes first and the 64-bit
// view second. 32-bit Windows has one view and ignores both flags.
#pragma once

#include "platform/Win32Api.h"

namespace installer::registry {

// Opens path under root, in the views' order: the next view is tried only
// when the key is not in the one before. kCreate makes the key in the first
// view when no view has it. Returns the result of the last call made.
LONG OpenKey(HKEY root, const char* path, REGSAM access, bool create, HKEY* opened);

}  // namespace installer::registry
