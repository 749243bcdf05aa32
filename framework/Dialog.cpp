// The part of CDialog that both platforms share: data exchange, the default
// buttons and the hand-over between the dialog window and its object.
#include "framework/Dialog.h"

#include "framework/WndMap.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (pDX == nullptr || pDX->m_pDlgWnd == nullptr || rControl.m_hWnd != nullptr) {
    return;
  }
  HWND control = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
  if (control != nullptr) {
    rControl.Attach(control);
  }
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_nModalResult(-1), m_bEnded(false) {}

// The dialog's window, if any, belongs to the dialog manager, not to us.
CDialog::~CDialog() { Detach(); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange exchange(this, bSaveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnDialogCommand(UINT nID, UINT nCode) { return OnCmdMsg(nID, nCode); }

BOOL CDialog::OnDialogStart(HWND hWnd) {
  m_bEnded = false;
  m_nModalResult = -1;
  Attach(hWnd);
  return OnInitDialog();
}

void CDialog::OnDialogEnd() {
  // Wrappers bound to the dialog's controls let go before the controls go,
  // so that none of them later destroys a window that is no longer its own.
  HWND dialog = m_hWnd;
  for (CWnd* wrapper : AfxPermanentWindows()) {
    if (wrapper != this && wrapper->m_hWnd != nullptr && ::IsChild(dialog, wrapper->m_hWnd)) {
      wrapper->Detach();
    }
  }
  Detach();
}
