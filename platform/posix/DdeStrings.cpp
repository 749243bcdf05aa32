// String handles: one table for every instance of the process, texts told
// apart without regard to case, each handle counted per holder so that an
// instance can free only what it took.
#include <cstring>

#include "platform/posix/DdeState.h"

using namespace posix_dde;

namespace {

const size_t kMaxStringLength = 255;

// ASCII only, so that the result does not depend on the C locale.
std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool AnsiCodePage(int codePage) { return codePage == CP_WINANSI || codePage == 0; }

}  // namespace

namespace posix_dde {

StringEntry* FindString(HandleId hsz) {
  auto& strings = TheState().strings;
  auto found = strings.find(hsz);
  return found == strings.end() ? nullptr : &found->second;
}

std::string StringText(HandleId hsz) {
  StringEntry* entry = FindString(hsz);
  return entry ? entry->text : std::string();
}

void AddReference(HandleId hsz, DWORD holder) {
  if (StringEntry* entry = FindString(hsz)) ++entry->references[holder];
}

bool DropReference(HandleId hsz, DWORD holder) {
  StringEntry* entry = FindString(hsz);
  if (!entry) return false;
  auto held = entry->references.find(holder);
  if (held == entry->references.end()) return false;
  if (--held->second == 0) entry->references.erase(held);
  if (entry->references.empty()) {
    State& state = TheState();
    state.stringsByFoldedText.erase(Folded(entry->text));
    state.strings.erase(hsz);
  }
  return true;
}

}  // namespace posix_dde

HSZ DdeCreateStringHandleA(DWORD idInst, LPCSTR psz, int iCodePage) {
  return Guarded(idInst, HSZ{}, [&]() -> HSZ {
    Log(idInst, {"DdeCreateStringHandleA", psz ? psz : ""});
    if (!FindInstance(idInst)) return 0;
    if (!psz || !*psz || std::strlen(psz) > kMaxStringLength || !AnsiCodePage(iCodePage)) {
      SetError(idInst, DMLERR_INVALIDPARAMETER);
      return 0;
    }
    State& state = TheState();
    std::string folded = Folded(psz);
    auto known = state.stringsByFoldedText.find(folded);
    HandleId id;
    if (known != state.stringsByFoldedText.end()) {
      id = known->second;
    } else {
      id = NewHandle();
      state.strings.emplace(id, StringEntry{psz, {}});
      state.stringsByFoldedText.emplace(folded, id);
    }
    AddReference(id, idInst);
    return HandleOf<HSZ>(id);
  });
}

BOOL DdeFreeStringHandle(DWORD idInst, HSZ hsz) {
  return Guarded(idInst, FALSE, [&]() -> BOOL {
    Log(idInst, {"DdeFreeStringHandle", StringText(IdOf(hsz))});
    if (!FindInstance(idInst)) return FALSE;
    if (!DropReference(IdOf(hsz), idInst)) {
      SetError(idInst, DMLERR_INVALIDPARAMETER);
      return FALSE;
    }
    return TRUE;
  });
}

BOOL DdeKeepStringHandle(DWORD idInst, HSZ hsz) {
  return Guarded(idInst, FALSE, [&]() -> BOOL {
    Log(idInst, {"DdeKeepStringHandle", StringText(IdOf(hsz))});
    if (!FindInstance(idInst)) return FALSE;
    // Any live handle may be kept, one handed to a callback included.
    if (!FindString(IdOf(hsz))) {
      SetError(idInst, DMLERR_INVALIDPARAMETER);
      return FALSE;
    }
    AddReference(IdOf(hsz), idInst);
    return TRUE;
  });
}

DWORD DdeQueryStringA(DWORD idInst, HSZ hsz, LPSTR psz, DWORD cchMax, int iCodePage) {
  return Guarded(idInst, DWORD{0}, [&]() -> DWORD {
    Log(idInst, {"DdeQueryStringA"});
    if (!FindInstance(idInst)) return 0;
    StringEntry* entry = FindString(IdOf(hsz));
    if (!entry || !AnsiCodePage(iCodePage)) {
      SetError(idInst, DMLERR_INVALIDPARAMETER);
      return 0;
    }
    const std::string& text = entry->text;
    if (!psz) return static_cast<DWORD>(text.size());
    if (cchMax == 0) return 0;
    size_t count = text.size() < cchMax - 1 ? text.size() : cchMax - 1;
    std::memcpy(psz, text.data(), count);
    psz[count] = '\0';
    return static_cast<DWORD>(count);
  });
}

int DdeCmpStringHandles(HSZ hsz1, HSZ hsz2) {
  return Guarded(0, 0, [&]() -> int {
    StringEntry* first = FindString(IdOf(hsz1));
    StringEntry* second = FindString(IdOf(hsz2));
    Log(0, {"DdeCmpStringHandles", StringText(IdOf(hsz1)), StringText(IdOf(hsz2))});
    // An unknown handle counts as the empty text, below every other.
    if (!first || !second) return (first ? 1 : 0) - (second ? 1 : 0);
    int order = Folded(first->text).compare(Folded(second->text));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
  });
}
