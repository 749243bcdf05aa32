// The wrapper of the product's meter control, an ActiveX control found by
// its class id: created as a child window, then called with the page's
// title and one of two save requests.
#pragma once

#include "framework/Framework.h"

class CKZ_meter : public CWnd {
  DECLARE_DYNCREATE(CKZ_meter)

 public:
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

  BOOL SetTitle(LPCSTR title);
  BOOL SaveDefault(LPCSTR url);
  BOOL SaveMode1(LPCSTR url);

  // The same members with wide strings, for text beyond the ANSI code page
  // (Windows only: see CWnd::InvokeHelper).
  BOOL SetTitleW(const OLECHAR* title);
  BOOL SaveDefaultW(const OLECHAR* url);
  BOOL SaveMode1W(const OLECHAR* url);
};
