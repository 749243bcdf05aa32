// Modal dialogs built from a dialog template of the program's resources.
//
// DoModal shows the dialog and returns when it ends: IDOK, IDCANCEL or what
// EndDialog was given; -1 when the dialog could not be made (no such
// template). Commands from the dialog's controls go through the message map
// (OnCmdMsg): the map of CDialog routes IDOK to OnOK and IDCANCEL (also the
// close box and the Escape key) to OnCancel, so a derived map can take over
// any button. Controls bound with DDX_Control are bound for the modal run
// only: when the dialog ends they are let go, never destroyed by their
// wrapper.
//
// Windows: a real modal dialog (DialogBoxParamA). POSIX: the same dialog as a
// prompt on standard input and output (framework/posix/DialogTerminal.h).
#pragma once

#include "framework/Wnd.h"

class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

  BOOL m_bSaveAndValidate;  // TRUE: from the controls, FALSE: to them
  CWnd* m_pDlgWnd;
};

// Binds rControl to the dialog's control nIDC, unless it is bound already.
// A template without that control leaves rControl unbound (calls on it do
// nothing).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  virtual int DoModal();
  // Binds the controls (UpdateData(FALSE)); TRUE lets the system set the focus.
  virtual BOOL OnInitDialog();
  // Ends the modal run with nResult once the current command returns.
  void EndDialog(int nResult);
  // Runs DoDataExchange; TRUE.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // What the platform's dialog loop calls for a control's notification.
  BOOL OnDialogCommand(UINT nID, UINT nCode);
  // What the platform's dialog loop calls when the window is first there.
  BOOL OnDialogStart(HWND hWnd);
  // What the platform's dialog loop calls when the window goes.
  void OnDialogEnd();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 protected:
  // UpdateData(TRUE), then EndDialog(IDOK).
  virtual void OnOK();
  // EndDialog(IDCANCEL); stores nothing.
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);

  DECLARE_MESSAGE_MAP()

 private:
  int m_nModalResult;
  bool m_bEnded;
};
