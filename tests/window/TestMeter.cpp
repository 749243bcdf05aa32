#include "tests/window/TestMeter.h"

#include "tests/window/WindowTestSupport.h"

namespace window_test {

IMPLEMENT_DYNCREATE(TestMeter, CWnd)

BEGIN_MESSAGE_MAP(TestHost, CWnd)
END_MESSAGE_MAP()

BOOL TestMeter::Create(LPCSTR, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext*) {
  return CreateControl(kMeterClassId, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL TestMeter::SetTitle(LPCSTR title) {
  BOOL result;
  static BYTE parms[] = VTS_BSTR;
  InvokeHelper(0x1, DISPATCH_METHOD, VT_BOOL, &result, parms, title);
  return result;
}

BOOL TestMeter::SaveDefault(LPCSTR url) {
  BOOL result;
  static BYTE parms[] = VTS_BSTR;
  InvokeHelper(0x5, DISPATCH_METHOD, VT_BOOL, &result, parms, url);
  return result;
}

BOOL TestMeter::SaveMode1(LPCSTR url) {
  BOOL result;
  static BYTE parms[] = VTS_BSTR;
  InvokeHelper(0x6, DISPATCH_METHOD, VT_BOOL, &result, parms, url);
  return result;
}

}  // namespace window_test
