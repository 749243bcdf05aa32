#include "installer/dialogs/ProductPathDialog.h"

#include <cstring>

#include "framework/FileDialog.h"
#include "installer/InstallerApp.h"
#include "installer/dialogs/PathFields.h"
#include "installer/dialogs/resource.h"
#include "installer/registry/ProductKeyReader.h"
#include "installer/shared/PathConvention.h"

namespace {
constexpr size_t kBasePathSize = 1024;
}  // namespace

BEGIN_MESSAGE_MAP(ProductPathDialog, CDialog)
ON_BN_CLICKED(IDC_BROWSE, &ProductPathDialog::OnBrowse)
END_MESSAGE_MAP()

ProductPathDialog::ProductPathDialog(CWnd* pParent) : CDialog(IDD, pParent) {}

ProductPathDialog::~ProductPathDialog() = default;

void ProductPathDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PATH, pathEdit);
}

BOOL ProductPathDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  ProductKeyReader reader;
  char basePath[kBasePathSize] = "";
  reader.ReadBasePath(basePath);
  size_t length = std::strlen(basePath);
  if (length != 0 && basePath[length - 1] != installer::shared::kDirSeparator &&
      length + 1 < sizeof basePath) {
    basePath[length] = installer::shared::kDirSeparator;
    basePath[length + 1] = '\0';
  }
  pathEdit.SetWindowText(basePath);
  return TRUE;
}

void ProductPathDialog::OnBrowse() {
  CFileDialog dialog(TRUE, "htm", "Add.htm", OFN_HIDEREADONLY, "*.htm||", this);
  if (dialog.DoModal() == IDOK) {
    pathEdit.SetWindowText(dialog.GetPathName());
  }
}

void ProductPathDialog::OnOK() {
  char field[MAX_PATH];
  if (pathEdit.GetWindowTextLength() >= static_cast<int>(sizeof field)) {
    return;
  }
  pathEdit.GetWindowText(field, sizeof field);
  InstallerApp* app = static_cast<InstallerApp*>(AfxGetApp());
  if (app != nullptr &&
      !installer::dialogs::ProductDirFromField(field, app->productDir, sizeof app->productDir)) {
    return;
  }
  CDialog::OnOK();
}
