// Under Wine: Snaplet.exe started over pipes, directly or through cmd.exe,
// beside top-level windows of the test's own; this thread answers their
// messages while the host runs.
#include <windows.h>

#include <algorithm>

#include "testing/ControlTestSupport.h"
#include "testing/HostProcess.h"
#include "tests/launcher/HostRunner.h"
#include "tests/launcher/LauncherRunner.h"

namespace {

std::wstring Wide(const std::string& text) {
  int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], length);
  wide.pop_back();
  return wide;
}

// A visible top-level window with the caption, or null for an empty one.
HWND MakeWindow(const std::string& caption) {
  if (caption.empty()) return nullptr;
  static const ATOM windowClass = [] {
    WNDCLASSW attributes{};
    attributes.lpfnWndProc = DefWindowProcW;
    attributes.hInstance = GetModuleHandleW(nullptr);
    attributes.lpszClassName = L"QcTestBrowserWindow";
    return RegisterClassW(&attributes);
  }();
  return CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(windowClass)),
                         Wide(caption).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

bool BrowserWindowsAvailable() { return true; }

HostOutcome RunSnapletAsHost(const HostSetup& setup) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string log =
      std::string(temp) + "qc_host_" + std::to_string(GetCurrentProcessId()) + "_control.log";
  DeleteFileA(log.c_str());
  if (setup.controlRegistered) {
    control_test::RegisterRecordingControl(control_test::RecordingControlModule());
  } else {
    control_test::UnregisterRecordingControl();
  }
  control_test::SetEnvironment("QC_CONTROL_LOG", log.c_str());
  control_test::SetEnvironment("QC_CONTROL_LOG_UTF8", "1");
  control_test::SetEnvironment("QC_CONTROL_FAIL",
                               setup.controlFail.empty() ? nullptr : setup.controlFail.c_str());

  std::vector<HWND> windows{MakeWindow(setup.browserCaption)};
  for (const std::string& caption : setup.laterCaptions) windows.push_back(MakeWindow(caption));
  HWND browser = windows.front();
  SetForegroundWindow(setup.browserInForeground ? browser : windows.back());
  // What the browser names is a window inside its own, as a tab's would be.
  HWND inner = browser != nullptr ? CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                                    10, 10, browser, nullptr, nullptr, nullptr)
                                  : nullptr;
  std::vector<std::string> arguments = setup.arguments;
  for (std::string& argument : arguments) {
    size_t at = argument.find("{window}");
    if (at != std::string::npos) {
      argument.replace(at, 8, std::to_string(reinterpret_cast<uintptr_t>(inner)));
    }
  }
  std::string program = QC_SNAPLET_PROGRAM;
  std::replace(program.begin(), program.end(), '/', '\\');
  host_process::HostRun run = host_process::RunHost(
      program, arguments, setup.input,
      setup.throughCmd ? host_process::StartStyle::kThroughCmd : host_process::StartStyle::kDirect,
      30000);

  HostOutcome outcome;
  outcome.ended = run.ended;
  outcome.failure = run.failure;
  outcome.exitCode = run.exitCode;
  outcome.reply = host_process::FirstMessage(run.output);
  outcome.controlCalls = Lines(ReadAll(log));
  for (HWND window : windows) {
    if (window != nullptr) DestroyWindow(window);
  }
  control_test::SetEnvironment("QC_CONTROL_LOG", nullptr);
  control_test::SetEnvironment("QC_CONTROL_LOG_UTF8", nullptr);
  control_test::SetEnvironment("QC_CONTROL_FAIL", nullptr);
  control_test::RegisterRecordingControl(control_test::RecordingControlModule());
  DeleteFileA(log.c_str());
  return outcome;
}
