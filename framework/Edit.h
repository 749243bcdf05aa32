// An edit control of a dialog, bound with DDX_Control. Its text calls do
// nothing (and read as empty) while it is not bound.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
 public:
  CEdit() = default;
  ~CEdit() override = default;

  void SetWindowText(LPCSTR lpszString);
  // Copies at most nMaxCount - 1 characters and a NUL; returns the number copied.
  int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
  int GetWindowTextLength() const;
};
