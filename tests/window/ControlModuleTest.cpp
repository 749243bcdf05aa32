// Control modules on POSIX: a registration that leads nowhere fails cleanly.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Framework.h"
#include "testing/ControlTestSupport.h"
#include "tests/window/WindowTestSupport.h"

namespace window_test {
namespace {

TEST(ControlModule, ARegistrationThatLeadsNowhereLeavesNothingBehind) {
  RecordingControlScope control;
  CWnd host;
  ASSERT_TRUE(
      host.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
  struct Row {
    const char* name;
    const char* module;
  };
  const Row rows[] = {
      {"no such file", "/nonexistent/RecordingControl.so"},
      {"a library without the control interface", "libm.so.6"},
      {"an empty path", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(control_test::RegisterRecordingControl(row.module));
    std::vector<HWND> before = OwnWindows();
    CWnd meter;
    EXPECT_FALSE(
        meter.CreateControl(kMeterClassId, nullptr, WS_VISIBLE, RECT{0, 0, 0, 0}, &host, 1900));
    EXPECT_EQ(meter.m_hWnd, nullptr);
    EXPECT_EQ(OwnWindows(), before);
  }
  EXPECT_FALSE(control_test::RecordingControlLoaded());
}

}  // namespace
}  // namespace window_test
