#include "framework/WndMap.h"

#include <map>
#include <memory>

#include "framework/Wnd.h"

namespace {

// Never destroyed, so that a CWnd destroyed during exit can still unmap itself.
std::map<HWND, CWnd*>& PermanentMap() {
  static std::map<HWND, CWnd*>* windows = new std::map<HWND, CWnd*>;
  return *windows;
}

// Wrappers for windows that belong to someone else: detached before they are
// deleted at exit, so that no one else's window is ever destroyed.
struct TemporaryMap {
  std::map<HWND, std::unique_ptr<CWnd>> windows;
  ~TemporaryMap() {
    for (auto& entry : windows) {
      entry.second->m_hWnd = nullptr;
    }
  }
};

TemporaryMap& Temporaries() {
  static TemporaryMap map;
  return map;
}

}  // namespace

void AfxMapWindow(HWND hWnd, CWnd* pWnd) { PermanentMap()[hWnd] = pWnd; }

void AfxUnmapWindow(HWND hWnd, CWnd* pWnd) {
  auto it = PermanentMap().find(hWnd);
  if (it != PermanentMap().end() && it->second == pWnd) {
    PermanentMap().erase(it);
  }
}

CWnd* AfxFindPermanentWindow(HWND hWnd) {
  auto it = PermanentMap().find(hWnd);
  return it != PermanentMap().end() ? it->second : nullptr;
}

std::vector<CWnd*> AfxPermanentWindows() {
  std::vector<CWnd*> windows;
  for (const auto& entry : PermanentMap()) {
    windows.push_back(entry.second);
  }
  return windows;
}

CWnd* AfxTemporaryWindow(HWND hWnd) {
  std::unique_ptr<CWnd>& slot = Temporaries().windows[hWnd];
  if (!slot) {
    slot.reset(new (std::nothrow) CWnd);
    if (!slot) {
      Temporaries().windows.erase(hWnd);
      return nullptr;
    }
    // Set directly: a temporary wrapper is not in the permanent map.
    slot->m_hWnd = hWnd;
  }
  return slot.get();
}
