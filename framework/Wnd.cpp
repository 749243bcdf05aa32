#include "framework/Wnd.h"

#include "framework/ControlSite.h"
#include "framework/Module.h"
#include "framework/WndMap.h"

const CRuntimeClass CWnd::classCWnd = {"CWnd", static_cast<int>(sizeof(CWnd)), 0xFFFF,
                                       &CWnd::CreateObject, nullptr};

CCmdTarget* CWnd::CreateObject() { return new (std::nothrow) CWnd; }

const CRuntimeClass* CWnd::GetRuntimeClass() const { return &CWnd::classCWnd; }

BOOL CWnd::IsKindOf(const CRuntimeClass* pClass) const {
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(nullptr), m_pCtrlSite(nullptr), m_hWndCtrlSite(nullptr) {}

CWnd::~CWnd() {
  if (m_hWnd != nullptr || m_pCtrlSite != nullptr) {
    CWnd::DestroyWindow();
  }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) {
    return nullptr;
  }
  CWnd* permanent = AfxFindPermanentWindow(hWnd);
  return permanent != nullptr ? permanent : AfxTemporaryWindow(hWnd);
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr || m_pCtrlSite != nullptr) {
    return FALSE;
  }
  m_hWnd = hWndNew;
  AfxMapWindow(m_hWnd, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) {
    AfxUnmapWindow(hWnd, this);
  }
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext*) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top,
                  pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
  if (m_hWnd != nullptr || m_pCtrlSite != nullptr) {
    return FALSE;
  }
  HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                nHeight, hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
  if (hWnd == nullptr) {
    return FALSE;
  }
  m_hWnd = hWnd;
  AfxMapWindow(m_hWnd, this);
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr && m_pCtrlSite == nullptr) {
    return FALSE;
  }
  HWND outer = m_pCtrlSite != nullptr ? m_hWndCtrlSite : m_hWnd;
  // Controls inside this window end first, while their windows still exist,
  // and their wrappers are left empty rather than dangling.
  for (CWnd* other : AfxPermanentWindows()) {
    if (other != this && other->m_pCtrlSite != nullptr &&
        AfxFindPermanentWindow(other->m_hWnd) == other && ::IsChild(outer, other->m_hWndCtrlSite)) {
      other->DestroyWindow();
    }
  }
  BOOL destroyed = FALSE;
  if (m_pCtrlSite != nullptr) {
    AfxDestroyControlSite(m_pCtrlSite);
    m_pCtrlSite = nullptr;
    destroyed = ::DestroyWindow(m_hWndCtrlSite);
    m_hWndCtrlSite = nullptr;
  } else {
    destroyed = ::DestroyWindow(m_hWnd);
  }
  Detach();
  return destroyed;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  bool child = (GetStyle() & WS_CHILD) != 0;
  HWND center = pAlternateOwner != nullptr
                    ? pAlternateOwner->m_hWnd
                    : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
  RECT self;
  GetWindowRect(&self);
  LONG width = self.right - self.left;
  LONG height = self.bottom - self.top;

  // The area to stay inside, and the rectangle to centre on, in the
  // coordinates that SetWindowPos takes for this window.
  RECT area;
  RECT target;
  if (!child) {
    area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    DWORD centerStyle =
        center != nullptr ? static_cast<DWORD>(::GetWindowLongA(center, GWL_STYLE)) : 0;
    // An invisible or minimised owner is no place to centre on.
    if (center != nullptr && (centerStyle & WS_VISIBLE) && !(centerStyle & WS_MINIMIZE)) {
      ::GetWindowRect(center, &target);
    } else {
      target = area;
    }
  } else {
    HWND parent = ::GetParent(m_hWnd);
    ::GetClientRect(parent, &area);
    if (center == nullptr || center == parent) {
      target = area;
    } else {
      ::GetWindowRect(center, &target);
      POINT corners[2] = {{target.left, target.top}, {target.right, target.bottom}};
      ::ScreenToClient(parent, &corners[0]);
      ::ScreenToClient(parent, &corners[1]);
      target = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
  }
  LONG x = (target.left + target.right) / 2 - width / 2;
  LONG y = (target.top + target.bottom) / 2 - height / 2;
  // Keep inside the area; a window larger than it keeps its top left corner in.
  if (x + width > area.right) {
    x = area.right - width;
  }
  if (x < area.left) {
    x = area.left;
  }
  if (y + height > area.bottom) {
    y = area.bottom - height;
  }
  if (y < area.top) {
    y = area.top;
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
  if (lpRect != nullptr && !::GetClientRect(m_hWnd, lpRect)) {
    *lpRect = RECT{0, 0, 0, 0};
  }
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
  if (lpRect != nullptr && !::GetWindowRect(m_hWnd, lpRect)) {
    *lpRect = RECT{0, 0, 0, 0};
  }
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyWindowLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) {
    return FALSE;
  }
  ::SetWindowLongA(hWnd, index, static_cast<LONG>(newStyle));
  if (nFlags != 0) {
    ::SetWindowPos(
        hWnd, nullptr, 0, 0, 0, 0,
        nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x,
                        y, cx, cy, nFlags);
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  return FromHandle(
      ::SetParent(m_hWnd, pWndNewParent != nullptr ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
