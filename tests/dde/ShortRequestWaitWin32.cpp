#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>

#include "testing/ImportPatch.h"
#include "tests/dde/ShortRequestWait.h"

struct ShortRequestWait::Patch {
  DWORD waitMs;
  std::vector<DWORD> asked;
  import_patch::ImportPatch import;
};

namespace {

typedef HDDEDATA(WINAPI* TransactionFunction)(LPBYTE, DWORD, HCONV, HSZ, UINT, UINT, DWORD,
                                              LPDWORD);

// The stand-in carries no context of its own; one object at a time.
ShortRequestWait::Patch* current = nullptr;

HDDEDATA WINAPI ShortTransaction(LPBYTE data, DWORD size, HCONV conversation, HSZ item, UINT format,
                                 UINT type, DWORD timeout, LPDWORD result) {
  current->asked.push_back(timeout);
  if (timeout != TIMEOUT_ASYNC && timeout > current->waitMs) timeout = current->waitMs;
  auto original = reinterpret_cast<TransactionFunction>(current->import.original());
  return original(data, size, conversation, item, format, type, timeout, result);
}

}  // namespace

ShortRequestWait::ShortRequestWait(DWORD waitMs)
    : patch_(new Patch{
          waitMs,
          {},
          {"user32.dll", "DdeClientTransaction", reinterpret_cast<void*>(&ShortTransaction)}}) {
  current = patch_;
}

ShortRequestWait::~ShortRequestWait() {
  delete patch_;
  current = nullptr;
}

bool ShortRequestWait::active() const { return patch_->import.active(); }

DWORD ShortRequestWait::waitMs() const { return patch_->waitMs; }

std::vector<DWORD> ShortRequestWait::asked() const { return patch_->asked; }
