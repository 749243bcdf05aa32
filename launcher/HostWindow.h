// The launcher's hidden host window: it carries the meter control, learns
// the current page from the browser, moves itself into the browser's window
// and hands the control the page.
#pragma once

#include "framework/Framework.h"
#include "launcher/CKZ_meter.h"
#include "launcher/dde/BrowserWindow.h"

class HostWindow : public CWnd {
 public:
  HostWindow();
  // Destroys the control, then the window.
  ~HostWindow() override;

  // The whole job. Returns whether the host window was created, whatever
  // happened afterwards.
  virtual BOOL Launch(BOOL mode);

  LPCSTR windowClassName = nullptr;
  CKZ_meter control;
  BrowserWindowInfo pageInfo;

  DECLARE_MESSAGE_MAP()
};
