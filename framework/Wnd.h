// Windows and the ActiveX controls they host. A CWnd owns the window it
// created (its destructor destroys it); a control created with CreateControl
// is hosted in a child "site" window of the parent that carries the child id,
// style and rectangle, and m_hWnd is the control's own window when it made
// one, else the site window.
//
// Calls into a control never throw: InvokeHelper returns FALSE when the call
// could not be made or the control reported a failure, and then leaves a
// zero (FALSE) result.
//
// The framework does not route window messages to CWnd objects: none of the
// programs runs a message loop over windows of its own.
#pragma once

#include <cstdarg>

#include "framework/CmdTarget.h"
#include "framework/RuntimeClass.h"
#include "platform/Win32Api.h"

// Parameter type strings of InvokeHelper: one byte per parameter, each a
// variant type, so that `static BYTE parms[] = VTS_BSTR;` works as well.
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_BSTR "\x08"
#define VTS_BOOL "\x0B"
// A wide string (const OLECHAR*), handed to the control as it is: text beyond
// the ANSI code page. The byte is VT_DECIMAL's, which no caller passes by value.
#define VTS_WBSTR "\x0E"

struct CCreateContext;   // not used: no document/view here
class CFile;             // not used: controls are never loaded from a file
struct COleControlSite;  // a hosted control; each platform defines it

class CWnd : public CCmdTarget {
 public:
  static const CRuntimeClass classCWnd;
  static CCmdTarget* CreateObject();
  virtual const CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;

  CWnd();
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The CWnd that created or attached the window, else a framework-owned
  // wrapper that lives until the process ends and never destroys the window.
  // Null for a null handle.
  static CWnd* FromHandle(HWND hWnd);
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  HWND GetSafeHwnd() const { return m_hWnd; }

  // A child window: CreateEx with WS_CHILD added, the parent and the id.
  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                LPVOID lpParam = nullptr);
  // Destroys the control (if this wraps one) or the window, and first every
  // control hosted inside the window. TRUE when there was something to destroy.
  virtual BOOL DestroyWindow();

  // Creates the control of the class id in a child window of the parent.
  // FALSE, with no window and no control left, when the class is unknown or
  // the control cannot be created, activated or called through IDispatch.
  // Persistence sources and licence keys are not supported: passing one fails.
  BOOL CreateControl(REFCLSID clsid, LPCSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                     CWnd* pParentWnd, UINT nID, CFile* pPersist = nullptr, BOOL bStorage = FALSE,
                     BSTR bstrLicKey = nullptr);
  // Calls the control's dispatch member. Parameters: VT_BSTR as LPCSTR (null
  // passes a null BSTR), VTS_WBSTR as const OLECHAR* (likewise), VT_I4 as
  // LONG, VT_BOOL as BOOL, VT_I2 as int. Results: VT_EMPTY (pvRet unused),
  // VT_BOOL into a BOOL, VT_I4 into a LONG, VT_I2 into a short. On POSIX a
  // control takes at most one VT_BSTR, whose text is UTF-8 there: a wide
  // string is refused (FALSE).
  BOOL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                    const BYTE* pbParamInfo, ...);
  BOOL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                    const char* pszParamInfo, ...);
  BOOL InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                     const BYTE* pbParamInfo, va_list argList);

  // Centres the window on the alternate owner, else on its parent (a child)
  // or its owner (a visible top-level window), else on the screen, and keeps
  // it inside the parent's client area or the screen.
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  void GetClientRect(LPRECT lpRect) const;
  void GetWindowRect(LPRECT lpRect) const;
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  // FALSE when the style stays as it was. With nFlags, also SetWindowPos with
  // nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
  // SWP_FRAMECHANGED, so that the frame follows the new style.
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  // The previous parent (the desktop's wrapper for a top-level window).
  CWnd* SetParent(CWnd* pWndNewParent);
  CWnd* GetParent() const;
  int GetDlgCtrlID() const;

  HWND m_hWnd;

  DECLARE_MESSAGE_MAP()

 private:
  COleControlSite* m_pCtrlSite;
  HWND m_hWndCtrlSite;  // the site window of a control
};
