// What tests may see and steer of the in-process DDEML: the log of calls,
// live counts for leak checks, and a failing DdeInitializeA. Only tests
// include this; the programs see nothing but the Windows names.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "platform/posix/Ddeml.h"

namespace posix_dde {

// One DDEML call: the instance it acted for (the owner of the conversation
// or data handle it was given; 0 when nobody owns it) and its text, the
// function name followed by the texts of its string handles and values,
// one blank between parts, e.g. "DdeConnect NETSCAPE WWW_ListWindows".
struct DdeCall {
  DWORD instance;
  std::string text;
};

inline bool operator==(const DdeCall& a, const DdeCall& b) {
  return a.instance == b.instance && a.text == b.text;
}

inline std::ostream& operator<<(std::ostream& out, const DdeCall& call) {
  return out << "{" << call.instance << ", \"" << call.text << "\"}";
}

const std::vector<DdeCall>& CallLog();
void ClearCallLog();

// The next DdeInitializeA returns `error` and opens no instance.
void FailNextInitialize(UINT error);

// An instance that ends keeps no conversation or registration, but the
// string and data handles it did not free stay counted here, so that a
// test sees what a program forgot to give back.
size_t LiveInstances();
size_t LiveStringHandles();
size_t LiveDataHandles();
size_t LiveConversations();

}  // namespace posix_dde
