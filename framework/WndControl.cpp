// CWnd as a control container: the part shared by both platforms (the site
// window, the wrapper's state, reading InvokeHelper's parameters).
#include <vector>

#include "framework/ControlSite.h"
#include "framework/Module.h"
#include "framework/Wnd.h"
#include "framework/WndClass.h"
#include "framework/WndMap.h"

BOOL CWnd::CreateControl(REFCLSID clsid, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID, CFile* pPersist, BOOL bStorage,
                         BSTR bstrLicKey) {
  if (m_hWnd != nullptr || m_pCtrlSite != nullptr || pPersist != nullptr || bStorage ||
      bstrLicKey != nullptr) {
    return FALSE;
  }
  LPCSTR siteClass = AfxRegisterWndClass(0);
  if (siteClass == nullptr) {
    return FALSE;
  }
  // The site is always a child, whatever style the caller gave.
  DWORD siteStyle = (dwStyle & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD;
  HWND site = ::CreateWindowExA(
      0, siteClass, pszWindowName, siteStyle, rect.left, rect.top, rect.right - rect.left,
      rect.bottom - rect.top, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(), nullptr);
  if (site == nullptr) {
    return FALSE;
  }
  HWND control = nullptr;
  COleControlSite* hosted = AfxCreateControlSite(clsid, site, &control);
  if (hosted == nullptr) {
    ::DestroyWindow(site);
    return FALSE;
  }
  m_pCtrlSite = hosted;
  m_hWndCtrlSite = site;
  m_hWnd = control != nullptr ? control : site;
  AfxMapWindow(m_hWnd, this);
  return TRUE;
}

namespace {

void ClearResult(VARTYPE vtRet, void* pvRet) {
  if (pvRet == nullptr) {
    return;
  }
  switch (vtRet) {
    case VT_BOOL:
      *static_cast<BOOL*>(pvRet) = FALSE;
      break;
    case VT_I4:
      *static_cast<LONG*>(pvRet) = 0;
      break;
    case VT_I2:
      *static_cast<short*>(pvRet) = 0;
      break;
    default:
      break;
  }
}

bool IsSupportedResult(VARTYPE vtRet, const void* pvRet) {
  if (vtRet == VT_EMPTY) {
    return true;
  }
  return pvRet != nullptr && (vtRet == VT_BOOL || vtRet == VT_I4 || vtRet == VT_I2);
}

}  // namespace

BOOL CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                        const BYTE* pbParamInfo, ...) {
  va_list argList;
  va_start(argList, pbParamInfo);
  BOOL called = InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
  va_end(argList);
  return called;
}

BOOL CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                        const char* pszParamInfo, ...) {
  va_list argList;
  va_start(argList, pszParamInfo);
  BOOL called = InvokeHelperV(dwDispID, wFlags, vtRet, pvRet,
                              reinterpret_cast<const BYTE*>(pszParamInfo), argList);
  va_end(argList);
  return called;
}

BOOL CWnd::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                         const BYTE* pbParamInfo, va_list argList) {
  ClearResult(vtRet, pvRet);
  if (m_pCtrlSite == nullptr || !IsSupportedResult(vtRet, pvRet)) {
    return FALSE;
  }
  std::vector<ControlArgument> arguments;
  for (const BYTE* type = pbParamInfo; type != nullptr && *type != 0; ++type) {
    ControlArgument argument{*type, nullptr, 0, nullptr};
    switch (*type) {
      case VT_BSTR:
        argument.text = va_arg(argList, LPCSTR);
        break;
      case kWideTextArgument:
        argument.wideText = va_arg(argList, const OLECHAR*);
        break;
      case VT_I4:
        argument.number = va_arg(argList, LONG);
        break;
      case VT_BOOL:
      case VT_I2:
        // Both arrive promoted to int.
        argument.number = va_arg(argList, int);
        break;
      default:
        // The rest of the list cannot be read without knowing this type.
        return FALSE;
    }
    arguments.push_back(argument);
  }
  return AfxInvokeControl(m_pCtrlSite, dwDispID, wFlags, arguments.data(),
                          static_cast<int>(arguments.size()), vtRet, pvRet);
}
