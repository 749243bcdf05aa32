#include "framework/CmdTarget.h"

const AFX_MSGMAP CCmdTarget::messageMap = {nullptr, nullptr};

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return &CCmdTarget::messageMap; }

BOOL CCmdTarget::OnCmdMsg(UINT nID, UINT nCode) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr; map = map->pBaseMap) {
    if (map->lpEntries == nullptr) {
      continue;
    }
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nMessage != 0; ++entry) {
      if (entry->nMessage == WM_COMMAND && entry->nCode == nCode && entry->nID == nID) {
        (this->*(entry->pfn))();
        return TRUE;
      }
    }
  }
  return FALSE;
}
