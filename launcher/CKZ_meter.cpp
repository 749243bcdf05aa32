#include "launcher/CKZ_meter.h"

IMPLEMENT_DYNCREATE(CKZ_meter, CWnd)

namespace {

// {65F9375D-5F5F-11D1-B67C-008029E43217}
const CLSID kMeterClassId = {
    0x65F9375D, 0x5F5F, 0x11D1, {0xB6, 0x7C, 0x00, 0x80, 0x29, 0xE4, 0x32, 0x17}};

enum MeterDispatchId : DISPID {
  kSetTitle = 1,
  kSaveDefault = 5,
  kSaveMode1 = 6,
};

const BYTE kOneString[] = VTS_BSTR;
const BYTE kOneWideString[] = VTS_WBSTR;

}  // namespace

BOOL CKZ_meter::Create(LPCSTR, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext*) {
  return CreateControl(kMeterClassId, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

// A call that fails leaves the result FALSE; nobody looks at it.
BOOL CKZ_meter::SetTitle(LPCSTR title) {
  BOOL result = FALSE;
  InvokeHelper(kSetTitle, DISPATCH_METHOD, VT_BOOL, &result, kOneString, title);
  return result;
}

BOOL CKZ_meter::SaveDefault(LPCSTR url) {
  BOOL result = FALSE;
  InvokeHelper(kSaveDefault, DISPATCH_METHOD, VT_BOOL, &result, kOneString, url);
  return result;
}

BOOL CKZ_meter::SaveMode1(LPCSTR url) {
  BOOL result = FALSE;
  InvokeHelper(kSaveMode1, DISPATCH_METHOD, VT_BOOL, &result, kOneString, url);
  return result;
}

BOOL CKZ_meter::SetTitleW(const OLECHAR* title) {
  BOOL result = FALSE;
  InvokeHelper(kSetTitle, DISPATCH_METHOD, VT_BOOL, &result, kOneWideString, title);
  return result;
}

BOOL CKZ_meter::SaveDefaultW(const OLECHAR* url) {
  BOOL result = FALSE;
  InvokeHelper(kSaveDefault, DISPATCH_METHOD, VT_BOOL, &result, kOneWideString, url);
  return result;
}

BOOL CKZ_meter::SaveMode1W(const OLECHAR* url) {
  BOOL result = FALSE;
  InvokeHelper(kSaveMode1, DISPATCH_METHOD, VT_BOOL, &result, kOneWideString, url);
  return result;
}
