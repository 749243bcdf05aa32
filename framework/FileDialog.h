// The standard dialog for choosing a file to open (or a name to save to).
//
// The filter is '|'-separated pairs of a description and a pattern, ended
// by "||"; a pair whose pattern is empty uses its description as the
// pattern, so "*.htm||" offers *.htm files. DoModal returns IDOK when a file
// was chosen, else IDCANCEL; GetPathName then gives its full path.
//
// Windows: comdlg32's dialog. POSIX: a prompt for a path (see
// framework/posix/DialogTerminal.h): Enter takes the shown name, a typed
// line another; relative names are taken from the current directory, and a
// name without an extension gets the default one; end of input cancels.
#pragma once

#include <string>

#include "framework/Dialog.h"

#ifdef _WIN32
#include <commdlg.h>
#else
#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#endif

class CFileDialog : public CDialog {
 public:
  CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
              DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
              CWnd* pParentWnd = nullptr);
  ~CFileDialog() override = default;

  int DoModal() override;
  // The chosen file's full path; before a choice, the initial file name.
  LPCSTR GetPathName() const { return m_szFileName; }

  BOOL m_bOpenFileDialog;
  DWORD m_dwFlags;
  std::string m_strDefExt;
  // Description and pattern of each filter, each ended by a NUL, the list
  // by a second NUL (the form the system dialog takes); empty for none.
  std::string m_strFilter;
  char m_szFileName[MAX_PATH];
};
