#include "installer/dialogs/BookmarkPathDialog.h"

#include <cstdio>
#include <cstring>

#include "browser/BrowserInterface.h"
#include "framework/FileDialog.h"
#include "installer/InstallerApp.h"
#include "installer/dialogs/PathFields.h"
#include "installer/dialogs/resource.h"
#include "installer/registry/RegistryKey.h"

namespace {
// The key path and the profile name are read into buffers of this size.
constexpr size_t kKeyPathSize = 1024;
}  // namespace

BEGIN_MESSAGE_MAP(BookmarkPathDialog, CDialog)
ON_BN_CLICKED(IDC_BROWSE, &BookmarkPathDialog::OnBrowse)
END_MESSAGE_MAP()

BookmarkPathDialog::BookmarkPathDialog(CWnd* pParent) : CDialog(IDD, pParent), dirRoot{} {}

BookmarkPathDialog::~BookmarkPathDialog() = default;

void BookmarkPathDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PATH, pathEdit);
}

BOOL BookmarkPathDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  RegistryKey registry;
  if (registry.OpenRoot(RegistryKey::kLocalMachine, nullptr)) {
    char keyPath[kKeyPathSize];
    std::snprintf(keyPath, sizeof keyPath, "%s", browser::kUsersKey);
    if (registry.OpenSubKey(keyPath, RegistryKey::kRead)) {
      char profile[kKeyPathSize] = "";
      if (registry.QueryValue(browser::kCurrentUserValue, profile, sizeof profile, nullptr)) {
        // A missing name still tries the key with a lone "\" appended; so
        // does a name too long for the key path, which would be cut.
        size_t used = std::strlen(keyPath);
        size_t name = std::strlen(profile);
        if (used + 1 + name >= sizeof keyPath) {
          profile[0] = '\0';
          name = 0;
        }
        keyPath[used] = '\\';
        std::memcpy(keyPath + used + 1, profile, name + 1);
        registry.CloseSubKey();
        if (registry.OpenSubKey(keyPath, RegistryKey::kRead)) {
          registry.QueryValue(browser::kDirRootValue, dirRoot, sizeof dirRoot, nullptr);
        }
      }
      registry.CloseSubKey();
    }
    registry.CloseRoot();
  }
  pathEdit.SetWindowText(dirRoot);
  return TRUE;
}

void BookmarkPathDialog::OnBrowse() {
  CFileDialog dialog(TRUE, "htm", "Bookmark.htm", OFN_HIDEREADONLY, "*.htm||", this);
  if (dialog.DoModal() != IDOK) {
    return;
  }
  char directory[MAX_PATH];
  if (installer::dialogs::DirectoryOfFile(dialog.GetPathName(), directory, sizeof directory)) {
    pathEdit.SetWindowText(directory);
  }
}

void BookmarkPathDialog::OnOK() {
  char field[MAX_PATH];
  if (pathEdit.GetWindowTextLength() >= static_cast<int>(sizeof field)) {
    return;
  }
  pathEdit.GetWindowText(field, sizeof field);
  InstallerApp* app = static_cast<InstallerApp*>(AfxGetApp());
  if (app != nullptr && !installer::dialogs::BookmarkPathFromField(field, app->bookmarkPath,
                                                                   sizeof app->bookmarkPath)) {
    return;
  }
  CDialog::OnOK();
}
