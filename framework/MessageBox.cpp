#include "framework/MessageBox.h"

#include "framework/Module.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT) {
  // Resource strings hold at most 4097 characters.
  char text[4098];
  if (::LoadStringA(AfxGetInstanceHandle(), nIDPrompt, text, sizeof text) == 0) {
    text[0] = '\0';
  }
  CWinApp* app = AfxGetApp();
  HWND owner = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd->m_hWnd : nullptr;
  return ::MessageBoxA(owner, text, AfxGetAppName(), nType);
}
