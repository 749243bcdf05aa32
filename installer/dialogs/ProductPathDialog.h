// Asks for the product directory (dialog 130), prefilled with the product's
// "Base Path" from the registry. OK stores the field's drive and directory
// in the application's productDir.
#pragma once

#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "installer/dialogs/resource.h"

class ProductPathDialog : public CDialog {
 public:
  enum { IDD = IDD_PRODUCT_PATH };

  explicit ProductPathDialog(CWnd* pParent = nullptr);
  ~ProductPathDialog() override;

  BOOL OnInitDialog() override;

  CEdit pathEdit;  // control 1000

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // A field too long for productDir stores nothing and leaves the dialog
  // open, as it was.
  void OnOK() override;
  // The chosen file's full path into the field: OK keeps its directory.
  void OnBrowse();

  DECLARE_MESSAGE_MAP()
};
