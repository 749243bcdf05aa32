#include "launcher/HostWindow.h"

#include <cstdio>

#include "launcher/dde/DdeLink.h"
#include "launcher/resource.h"

namespace {
constexpr UINT kMeterControlId = 1900;
}  // namespace

BEGIN_MESSAGE_MAP(HostWindow, CWnd)
END_MESSAGE_MAP()

HostWindow::HostWindow() {
  pageInfo.extraText = nullptr;
  pageInfo.title = nullptr;
  pageInfo.url[0] = '\0';
}

HostWindow::~HostWindow() {
  control.DestroyWindow();
  DestroyWindow();
}

BOOL HostWindow::CreateHostWindow() {
  windowClassName = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, 0, 0, 0);
  if (!CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE, windowClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                nullptr, nullptr, nullptr)) {
    return FALSE;
  }
  CenterWindow();
  return TRUE;
}

BOOL HostWindow::CreateMeter() {
  RECT client;
  GetClientRect(&client);
  return control.Create(nullptr, nullptr, WS_VISIBLE, client, this, kMeterControlId, nullptr);
}

void HostWindow::MoveInto(HWND browserWindow) {
  ::SetParent(m_hWnd, browserWindow);
  ModifyStyle(WS_POPUP, WS_CHILD, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
}

BOOL HostWindow::Launch(BOOL mode) {
  BOOL created = CreateHostWindow();
  if (!created) {
    return FALSE;
  }

  if (CreateMeter()) {
    // The DDE instance lives only for this block.
    DdeLink link;
    link.RefreshWindowList();
    DWORD topWindow = link.FindCurrentTopWindow();
    link.CopyWindowInfo(&pageInfo, topWindow);

    // Titles arrive through DDE string handles of at most 255 characters,
    // so the caption always fits.
    char suffix[64] = "";
    LoadStringA(AfxGetInstanceHandle(), IDS_CAPTION_SUFFIX, suffix, sizeof suffix);
    char caption[512];
    std::snprintf(caption, sizeof caption, "%s%s", pageInfo.title != nullptr ? pageInfo.title : "",
                  suffix);

    HWND browserWindow = FindWindowA(nullptr, caption);
    if (browserWindow != nullptr) {
      MoveInto(browserWindow);
      control.SetTitle(pageInfo.title);
      if (mode) {
        control.SaveMode1(pageInfo.url);
      } else {
        control.SaveDefault(pageInfo.url);
      }
    } else {
      AfxMessageBox(IDS_NETSCAPE_REQUIRED, MB_ICONEXCLAMATION, static_cast<UINT>(-1));
    }
  }

  FreeOwnedString(pageInfo.extraText);
  pageInfo.extraText = nullptr;
  FreeOwnedString(pageInfo.title);
  pageInfo.title = nullptr;
  return created;
}
