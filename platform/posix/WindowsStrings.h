// How a program's string table reaches LoadStringA on POSIX: the build turns
// the STRINGTABLE block of the program's .rc file into a generated source
// (framework's qc_add_string_table), whose one static object hands its
// entries to RegisterStringTable before main runs. The .rc file stays the
// one source of the texts on both targets.
#pragma once

#include "platform/posix/Win32Types.h"

namespace posix_windows {

struct StringResource {
  UINT id;
  const char* text;
};

// Keeps a pointer to the entries, which must outlive every LoadStringA. When
// two tables give the same id, the one registered first wins.
void RegisterStringTable(const StringResource* entries, int count);

struct StringTableRegistration {
  StringTableRegistration(const StringResource* entries, int count) {
    RegisterStringTable(entries, count);
  }
};

}  // namespace posix_windows
