// The string-table reader on any resource script, headers from
// fuzz/rc_headers: it ends with entries of distinct ids, or with a message.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/posix/rc/RcStringTable.h"
#include "fuzz/FuzzSupport.h"

using fuzz_input::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  std::vector<rc_strings::Entry> entries;
  std::string error;
  if (rc_strings::ParseStringTables(script, FUZZ_RC_HEADERS, &entries, &error)) {
    std::set<unsigned> ids;
    for (const rc_strings::Entry& entry : entries) {
      Check(ids.insert(entry.id).second, "no id comes twice");
    }
    Check(!rc_strings::GenerateSource(entries, "fuzz.rc").empty(), "a source is written");
  } else {
    Check(!error.empty(), "a script not read says why");
  }
  return 0;
}
