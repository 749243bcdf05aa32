#include <cstdlib>
#include <string>

#include "platform/posix/DdeTestHooks.h"
#include "tests/dde/ShortRequestWait.h"

namespace {
const char kTransaction[] = "DdeClientTransaction ";
}

// Where the in-process DDEML's call log stood at construction: every
// transaction after it is logged with its time-out last.
struct ShortRequestWait::Patch {
  size_t firstCall;
};

ShortRequestWait::ShortRequestWait(DWORD) : patch_(new Patch{posix_dde::CallLog().size()}) {}

ShortRequestWait::~ShortRequestWait() { delete patch_; }

bool ShortRequestWait::active() const { return true; }

DWORD ShortRequestWait::waitMs() const { return 0; }

std::vector<DWORD> ShortRequestWait::asked() const {
  std::vector<DWORD> asked;
  const std::vector<posix_dde::DdeCall>& log = posix_dde::CallLog();
  for (size_t i = patch_->firstCall; i < log.size(); ++i) {
    const std::string& text = log[i].text;
    if (text.compare(0, sizeof kTransaction - 1, kTransaction) != 0) continue;
    const std::string timeout = text.substr(text.rfind(' ') + 1);
    asked.push_back(static_cast<DWORD>(std::strtoul(timeout.c_str(), nullptr, 10)));
  }
  return asked;
}
