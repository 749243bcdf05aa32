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

  // The pieces of the job that every source of the page shares (the browser
  // over DDE, or an extension's message): the hidden 0x0 pop-up host window,
  // centred; the control in it; and the move into the browser's window as a
  // child that keeps its position, size and Z order.
  BOOL CreateHostWindow();
  BOOL CreateMeter();
  void MoveInto(HWND browserWindow);

  LPCSTR windowClassName = nullptr;
  CKZ_meter control;
  BrowserWindowInfo pageInfo;

  DECLARE_MESSAGE_MAP()
};
