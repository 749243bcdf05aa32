#include "framework/RuntimeClass.h"

CCmdTarget* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* each = this; each != nullptr; each = each->m_pBaseClass) {
    if (each == pBaseClass) {
      return TRUE;
    }
  }
  return FALSE;
}
