// A wrapper of the meter control written as the launcher writes its own: a
// dynamically creatable CWnd whose Create makes the control and whose
// members are dispatch calls with one string.
#pragma once

#include "framework/Framework.h"

namespace window_test {

class TestMeter : public CWnd {
  DECLARE_DYNCREATE(TestMeter)

 public:
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;
  BOOL SetTitle(LPCSTR title);
  BOOL SaveDefault(LPCSTR url);
  BOOL SaveMode1(LPCSTR url);
};

// A host like the launcher's: a CWnd with the control embedded, so that its
// destruction ends the control first and then the window.
class TestHost : public CWnd {
 public:
  TestMeter meter;
  DECLARE_MESSAGE_MAP()
};

}  // namespace window_test
