#include "installer/InstallerApp.h"

#include <cstring>

#include "installer/BookmarkPathDialog.h"
#include "installer/ProductPathDialog.h"

BEGIN_MESSAGE_MAP(InstallerApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

InstallerApp::InstallerApp() : CWinApp(nullptr), bookmarkPath{}, productDir{} {}

InstallerApp::~InstallerApp() = default;

BOOL InstallerApp::InitInstance() {
  std::memset(bookmarkPath, 0, sizeof bookmarkPath);
  std::memset(productDir, 0, sizeof productDir);

  // The bookmark path runs to the first blank; everything after that one
  // blank, blanks included, is the product directory.
  const char* line = m_lpCmdLine != nullptr ? m_lpCmdLine : "";
  const char* blank = std::strchr(line, ' ');
  size_t bookmarkLength = blank != nullptr ? static_cast<size_t>(blank - line) : std::strlen(line);
  const char* dir = blank != nullptr ? blank + 1 : "";
  size_t dirLength = std::strlen(dir);
  // A part that does not fit its buffer would name some other file: refused whole.
  if (bookmarkLength >= sizeof bookmarkPath || dirLength >= sizeof productDir) {
    return FALSE;
  }
  std::memcpy(bookmarkPath, line, bookmarkLength);
  std::memcpy(productDir, dir, dirLength);

  // A missing part is asked for; a cancelled dialog, or one that left its
  // buffer empty, ends the run before any file is touched.
  if (bookmarkPath[0] == '\0') {
    BookmarkPathDialog dialog(nullptr);
    if (dialog.DoModal() == IDCANCEL || bookmarkPath[0] == '\0') {
      return FALSE;
    }
  }
  if (productDir[0] == '\0') {
    ProductPathDialog dialog(nullptr);
    if (dialog.DoModal() == IDCANCEL || productDir[0] == '\0') {
      return FALSE;
    }
  }
  BookmarkSplicer();
  return FALSE;
}

InstallerApp theApp;
