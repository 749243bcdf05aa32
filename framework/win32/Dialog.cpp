// CDialog on Windows: a real modal dialog from the program's resources. The
// dialog procedure hands the dialog's messages to the CDialog object given
// with WM_INITDIALOG.
#include "framework/Dialog.h"

#include "framework/Module.h"

namespace {

INT_PTR CALLBACK DialogProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
    return reinterpret_cast<CDialog*>(lParam)->OnDialogStart(hWnd);
  }
  CDialog* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
  if (dialog == nullptr) {
    return FALSE;
  }
  switch (message) {
    case WM_COMMAND:
      return dialog->OnDialogCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
      // The controls still exist here; they go after their parent.
      dialog->OnDialogEnd();
      ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int CDialog::DoModal() {
  if (m_hWnd != nullptr) {
    return -1;
  }
  HWND parent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  INT_PTR result = ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                     parent, DialogProcedure, reinterpret_cast<LPARAM>(this));
  // A dialog that never started leaves nothing bound.
  Detach();
  return static_cast<int>(result);
}

void CDialog::EndDialog(int nResult) {
  if (m_hWnd != nullptr) {
    ::EndDialog(m_hWnd, nResult);
  }
}
