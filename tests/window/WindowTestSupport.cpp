#include "tests/window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "testing/ControlTestSupport.h"
#include "testing/RecordingControlLog.h"

namespace window_test {

const CLSID kMeterClassId = {
    0x65F9375D, 0x5F5F, 0x11D1, {0xB6, 0x7C, 0x00, 0x80, 0x29, 0xE4, 0x32, 0x17}};
const CLSID kUnknownClassId = {
    0x65F9375D, 0x5F5F, 0x11D1, {0xB6, 0x7C, 0x00, 0x80, 0x29, 0xE4, 0x32, 0x18}};

namespace {

BOOL CALLBACK CollectOwn(HWND hwnd, LPARAM context) {
  auto* windows = reinterpret_cast<std::vector<HWND>*>(context);
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process == OwnProcessId()) {
    windows->push_back(hwnd);
  }
  return TRUE;
}

BOOL CALLBACK CollectAll(HWND hwnd, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
  return TRUE;
}

std::string UniqueToken() {
  static unsigned counter = 0;
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return std::to_string(OwnProcessId()) + "-" + std::to_string(ticks % 1000000007) + "-" +
         std::to_string(++counter);
}

}  // namespace

DWORD OwnProcessId() {
  static DWORD id = 0;
  if (id == 0) {
    HWND probe = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                   nullptr);
    ::GetWindowThreadProcessId(probe, &id);
    ::DestroyWindow(probe);
  }
  return id;
}

std::vector<HWND> OwnWindows() {
  OwnProcessId();  // settled before the walk, since finding it makes a window
  std::vector<HWND> topLevel;
  ::EnumWindows(CollectOwn, reinterpret_cast<LPARAM>(&topLevel));
  std::vector<HWND> all;
  for (HWND hwnd : topLevel) {
    all.push_back(hwnd);
    ::EnumChildWindows(hwnd, CollectAll, reinterpret_cast<LPARAM>(&all));
  }
  return all;
}

std::string UniqueBrowserCaption(const char* title) {
  return std::string(title) + " " + UniqueToken() + " - Netscape";
}

std::string TemporaryPath(const char* stem) {
  return ::testing::TempDir() + "qc_window_" + stem + "_" + UniqueToken();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::istringstream text(ReadFile(path));
  for (std::string line; std::getline(text, line);) {
    lines.push_back(line);
  }
  return lines;
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

BrowserWindow::BrowserWindow(const std::string& caption)
    : hwnd_(::CreateWindowExA(0, "Static", caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                              80, 640, 480, nullptr, nullptr, nullptr, nullptr)) {}

BrowserWindow::~BrowserWindow() {
  if (hwnd_ != nullptr) {
    ::DestroyWindow(hwnd_);
  }
}

RecordingControlScope::RecordingControlScope()
    : logPath_(TemporaryPath("calls")), hivePath_(TemporaryPath("hive")), registered_(false) {
  // On POSIX the registry is this hive; Windows ignores the variable.
  control_test::SetEnvironment("QC_REGISTRY_FILE", hivePath_.c_str());
  control_test::SetEnvironment(recording_control::kLogVariable, logPath_.c_str());
  control_test::SetEnvironment(recording_control::kFailVariable, nullptr);
  AfxEnableControlContainer();
  registered_ = control_test::RegisterRecordingControl(control_test::RecordingControlModule());
}

RecordingControlScope::~RecordingControlScope() {
  control_test::SetEnvironment(recording_control::kLogVariable, nullptr);
  control_test::SetEnvironment(recording_control::kFailVariable, nullptr);
  control_test::SetEnvironment("QC_REGISTRY_FILE", nullptr);
  RemoveFile(logPath_);
  RemoveFile(hivePath_);
}

void RecordingControlScope::RequestFailure(const char* what) {
  control_test::SetEnvironment(recording_control::kFailVariable, what);
}

}  // namespace window_test
