#include "framework/Edit.h"

void CEdit::SetWindowText(LPCSTR lpszString) {
  if (m_hWnd != nullptr) {
    ::SetWindowTextA(m_hWnd, lpszString != nullptr ? lpszString : "");
  }
}

int CEdit::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
  if (lpszStringBuf == nullptr || nMaxCount <= 0) {
    return 0;
  }
  lpszStringBuf[0] = '\0';
  return m_hWnd != nullptr ? ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount) : 0;
}

int CEdit::GetWindowTextLength() const {
  return m_hWnd != nullptr ? ::GetWindowTextLengthA(m_hWnd) : 0;
}
