// The dialog reader on any resource script, headers from fuzz/rc_headers:
// it ends with dialogs of distinct ids, or with a message.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/posix/rc/RcDialogs.h"
#include "fuzz/FuzzSupport.h"

using fuzz_input::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string script(reinterpret_cast<const char*>(data), size);
  std::vector<rc_dialogs::Dialog> dialogs;
  std::string error;
  if (rc_dialogs::ParseDialogs(script, FUZZ_RC_HEADERS, &dialogs, &error)) {
    std::set<unsigned> ids;
    for (const rc_dialogs::Dialog& dialog : dialogs) {
      Check(ids.insert(dialog.id).second, "no id comes twice");
    }
    Check(!rc_dialogs::GenerateSource(dialogs, "fuzz.rc").empty(), "a source is written");
  } else {
    Check(!error.empty(), "a script not read says why");
  }
  return 0;
}
