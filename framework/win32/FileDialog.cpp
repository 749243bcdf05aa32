#include "framework/FileDialog.h"

#include "framework/Module.h"

int CFileDialog::DoModal() {
  OPENFILENAMEA request = {};
  request.lStructSize = sizeof request;
  request.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
  request.hInstance = AfxGetInstanceHandle();
  request.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = m_szFileName;
  request.nMaxFile = sizeof m_szFileName;
  request.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
  request.Flags = m_dwFlags | OFN_EXPLORER;
  BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&request) : ::GetSaveFileNameA(&request);
  return chosen ? IDOK : IDCANCEL;
}
