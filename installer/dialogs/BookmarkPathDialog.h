// Asks for the directory of the browser's bookmark file (dialog 129),
// prefilled with the current browser user's profile directory from the
// registry. OK stores that directory plus "bookmark.htm" in the
// application's bookmarkPath.
#pragma once

#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "installer/dialogs/resource.h"

class BookmarkPathDialog : public CDialog {
 public:
  enum { IDD = IDD_BOOKMARK_PATH };

  explicit BookmarkPathDialog(CWnd* pParent = nullptr);
  ~BookmarkPathDialog() override;

  BOOL OnInitDialog() override;

  char dirRoot[MAX_PATH];  // the profile directory read from the registry
  CEdit pathEdit;          // control 1000

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // A field that does not fit bookmarkPath with the file name appended
  // stores nothing and leaves the dialog open, as it was.
  void OnOK() override;
  // The chosen file's directory into the field: OK adds the file name.
  void OnBrowse();

  DECLARE_MESSAGE_MAP()
};
