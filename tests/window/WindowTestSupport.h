// Helpers of the window and control tests, the same on both targets.
#pragma once

#include <string>
#include <vector>

#include "framework/Framework.h"

namespace window_test {

// The meter control's class id, and one that nothing registers.
extern const CLSID kMeterClassId;
extern const CLSID kUnknownClassId;

// This process's id, as GetWindowThreadProcessId gives it.
DWORD OwnProcessId();

// Every window of this process: its top-level windows and all their descendants.
std::vector<HWND> OwnWindows();

// A caption no other test (or process) is using, ending in " - Netscape".
std::string UniqueBrowserCaption(const char* title);

// A path in the temporary directory, new for every call.
std::string TemporaryPath(const char* stem);

std::string ReadFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
void RemoveFile(const std::string& path);

// A top-level window standing in for the browser's main window.
class BrowserWindow {
 public:
  explicit BrowserWindow(const std::string& caption);
  ~BrowserWindow();
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The recording control registered under the meter's class id, its log and
// failure requests set for the test, all undone at the end. On POSIX the
// registry is a hive of the test's own.
class RecordingControlScope {
 public:
  RecordingControlScope();
  ~RecordingControlScope();
  RecordingControlScope(const RecordingControlScope&) = delete;
  RecordingControlScope& operator=(const RecordingControlScope&) = delete;

  bool registered() const { return registered_; }
  const std::string& logPath() const { return logPath_; }
  std::vector<std::string> Calls() const { return ReadLines(logPath_); }
  void RequestFailure(const char* what);

 private:
  std::string logPath_;
  std::string hivePath_;
  bool registered_;
};

}  // namespace window_test
