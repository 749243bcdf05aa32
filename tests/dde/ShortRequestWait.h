// Test support: cuts the wait of every DDE request that this program makes
// down to a few seconds, so that a run against a browser that never answers
// is quick, and keeps the time-outs that the requests asked for.
//
// Under Wine the program's import of DdeClientTransaction is pointed, for
// the life of the object, at a stand-in that calls the system's with the
// shorter wait. Natively the in-process DDEML does not wait at all: a
// request that a server leaves unanswered fails at once with the time-out's
// error, so there is nothing to cut and waitMs() is 0.
#pragma once

#include <vector>

#include "platform/Win32Api.h"

class ShortRequestWait {
 public:
  explicit ShortRequestWait(DWORD waitMs);
  ~ShortRequestWait();
  ShortRequestWait(const ShortRequestWait&) = delete;
  ShortRequestWait& operator=(const ShortRequestWait&) = delete;

  // False when the wait could not be cut (the import was not found).
  bool active() const;
  // The longest that an unanswered request now waits.
  DWORD waitMs() const;
  // The time-outs of the requests made since construction, as asked.
  std::vector<DWORD> asked() const;

  struct Patch;

 private:
  Patch* patch_;
};
