// The meter control through CWnd's container, with the recording control
// registered under the meter's class id: what the control receives, what a
// failure leaves behind (windows, control objects), and teardown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Framework.h"
#include "testing/ControlTestSupport.h"
#include "tests/window/TestMeter.h"
#include "tests/window/WindowTestSupport.h"

namespace window_test {
namespace {

// The system calls this back: it must have the system's calling convention.
BOOL CALLBACK CollectChild(HWND hwnd, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(hwnd);
  return TRUE;
}

const UINT kMeterId = 1900;

// The launcher's arrangement: a hidden 0x0 pop-up host with the control in it.
class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(control_.registered());
    windowsBefore_ = OwnWindows();
    ASSERT_TRUE(host_.CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE,
                               AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), nullptr, WS_POPUP, 0,
                               0, 0, 0, nullptr, nullptr));
    host_.CenterWindow();
    host_.GetClientRect(&client_);
  }

  bool CreateMeter() {
    return host_.meter.Create(nullptr, nullptr, WS_VISIBLE, client_, &host_, kMeterId);
  }

  // Moves the host into a new browser window, as the launcher does.
  void MoveIntoBrowser(const BrowserWindow& browser) {
    host_.SetParent(CWnd::FromHandle(browser.hwnd()));
    host_.ModifyStyle(WS_POPUP, WS_CHILD, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
  }

  RecordingControlScope control_;
  std::vector<HWND> windowsBefore_;
  TestHost host_;
  RECT client_{};
};

TEST_F(ControlTest, LivesInAChildWindowWithTheIdStyleAndRectangle) {
  ASSERT_TRUE(CreateMeter());
  EXPECT_EQ(control_test::RecordingControlObjects(), 1);
  HWND site = ::GetDlgItem(host_.m_hWnd, static_cast<int>(kMeterId));
  ASSERT_NE(site, nullptr);
  EXPECT_EQ(
      static_cast<DWORD>(::GetWindowLongA(site, GWL_STYLE)) & (WS_CHILD | WS_VISIBLE | WS_POPUP),
      static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  // The control made a window of its own inside the site.
  ASSERT_TRUE(::IsWindow(host_.meter.m_hWnd));
  EXPECT_NE(host_.meter.m_hWnd, site);
  EXPECT_EQ(::GetAncestor(host_.meter.m_hWnd, GA_PARENT), site);
  EXPECT_EQ(CWnd::FromHandle(host_.meter.m_hWnd), &host_.meter);
  RECT siteRect;
  ::GetClientRect(site, &siteRect);
  EXPECT_EQ(siteRect.right, client_.right - client_.left);
  EXPECT_EQ(siteRect.bottom, client_.bottom - client_.top);
}

TEST_F(ControlTest, CallsArriveWithTheCaptionOfTheHostsTopLevelWindow) {
  ASSERT_TRUE(CreateMeter());
  EXPECT_TRUE(host_.meter.SetTitle("before the move"));
  std::string caption = UniqueBrowserCaption("Framed page");
  BrowserWindow browser(caption);
  ASSERT_EQ(::FindWindowA(nullptr, caption.c_str()), browser.hwnd());
  MoveIntoBrowser(browser);
  EXPECT_TRUE(host_.meter.SetTitle("Framed page"));
  EXPECT_TRUE(host_.meter.SaveMode1("http://a/f.htm"));
  EXPECT_TRUE(host_.meter.SaveDefault("http://a/"));
  std::vector<std::string> expected = {
      "1\tbefore the move\t",  // the host has no caption
      "1\tFramed page\t" + caption,
      "6\thttp://a/f.htm\t" + caption,
      "5\thttp://a/\t" + caption,
  };
  EXPECT_EQ(control_.Calls(), expected);
}

TEST_F(ControlTest, InvokeHelperPassesOneStringAndReadsTheBoolean) {
  ASSERT_TRUE(CreateMeter());
  struct Row {
    const char* name;
    DISPID id;
    WORD flags;
    const char* argument;
    BOOL called;
    std::string line;  // what the control logs, empty for nothing
  };
  const Row rows[] = {
      {"title", 1, DISPATCH_METHOD, "title", TRUE, "1\ttitle\t"},
      {"default save", 5, DISPATCH_METHOD, "http://x/", TRUE, "5\thttp://x/\t"},
      {"second save", 6, DISPATCH_METHOD, "http://y/", TRUE, "6\thttp://y/\t"},
      {"null string", 1, DISPATCH_METHOD, nullptr, TRUE, "1\t\t"},
      {"empty string", 1, DISPATCH_METHOD, "", TRUE, "1\t\t"},
      {"tab, line feed, backslash", 1, DISPATCH_METHOD, "a\tb\nc\\", TRUE, "1\ta\\tb\\nc\\\\\t"},
      {"text beyond ASCII", 1, DISPATCH_METHOD, "caf\xE9", TRUE, "1\tcaf\xE9\t"},
      {"unknown member", 7, DISPATCH_METHOD, "x", FALSE, ""},
      {"property get of a method", 1, DISPATCH_PROPERTYGET, "x", FALSE, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BOOL result = 2;  // neither TRUE nor FALSE
    std::size_t before = control_.Calls().size();
    EXPECT_EQ(host_.meter.InvokeHelper(row.id, row.flags, VT_BOOL, &result, VTS_BSTR, row.argument),
              row.called);
    EXPECT_EQ(result, row.called);
    std::vector<std::string> calls = control_.Calls();
    if (row.line.empty()) {
      EXPECT_EQ(calls.size(), before);
    } else {
      ASSERT_EQ(calls.size(), before + 1);
      EXPECT_EQ(calls.back(), row.line);
    }
  }
}

TEST_F(ControlTest, UnsupportedCallsFailWithoutReachingTheControl) {
  ASSERT_TRUE(CreateMeter());
  BOOL result = TRUE;
  EXPECT_FALSE(host_.meter.InvokeHelper(1, DISPATCH_METHOD, VT_BOOL, &result, ""));  // no argument
  EXPECT_FALSE(result);
  result = TRUE;
  EXPECT_FALSE(
      host_.meter.InvokeHelper(1, DISPATCH_METHOD, VT_BOOL, &result, "\x10", 1));  // unknown type
  EXPECT_FALSE(result);
  EXPECT_FALSE(host_.meter.InvokeHelper(1, DISPATCH_METHOD, VT_BOOL, nullptr, VTS_BSTR,
                                        "x"));  // nowhere to put it
  EXPECT_TRUE(
      host_.meter.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, nullptr, VTS_BSTR, "no result"));
  std::vector<std::string> expected = {"1\tno result\t"};
  EXPECT_EQ(control_.Calls(), expected);

  CWnd plain;
  result = TRUE;
  EXPECT_FALSE(plain.InvokeHelper(1, DISPATCH_METHOD, VT_BOOL, &result, VTS_BSTR, "x"));
  EXPECT_FALSE(result);
}

TEST_F(ControlTest, AFailedCallLeavesFalseAndTheControlUsable) {
  ASSERT_TRUE(CreateMeter());
  control_.RequestFailure("5");
  EXPECT_FALSE(host_.meter.SaveDefault("http://fails/"));
  EXPECT_TRUE(host_.meter.SetTitle("still there"));
  EXPECT_TRUE(host_.meter.SaveMode1("http://works/"));
  std::vector<std::string> expected = {"5\thttp://fails/\t\tfailed", "1\tstill there\t",
                                       "6\thttp://works/\t"};
  EXPECT_EQ(control_.Calls(), expected);
}

TEST_F(ControlTest, AnUnregisteredClassLeavesNoWindowAndNoControl) {
  std::vector<HWND> withHost = OwnWindows();
  CWnd control;
  EXPECT_FALSE(
      control.CreateControl(kUnknownClassId, nullptr, WS_VISIBLE, client_, &host_, kMeterId));
  EXPECT_EQ(control.m_hWnd, nullptr);
  EXPECT_EQ(OwnWindows(), withHost);
  EXPECT_EQ(::GetDlgItem(host_.m_hWnd, static_cast<int>(kMeterId)), nullptr);
  EXPECT_EQ(control_test::RecordingControlObjects(), 0);
  BOOL result = TRUE;
  EXPECT_FALSE(control.InvokeHelper(1, DISPATCH_METHOD, VT_BOOL, &result, VTS_BSTR, "x"));
  EXPECT_FALSE(result);
  EXPECT_TRUE(control_.Calls().empty());
}

TEST_F(ControlTest, AControlThatCannotStartLeavesNothingBehind) {
  std::vector<HWND> withHost = OwnWindows();
  std::vector<const char*> failures = {"create"};
#ifdef _WIN32
  failures.push_back("init");  // it cannot start from its defaults
#endif
  for (const char* failure : failures) {
    SCOPED_TRACE(failure);
    control_.RequestFailure(failure);
    EXPECT_FALSE(CreateMeter());
    EXPECT_EQ(host_.meter.m_hWnd, nullptr);
    EXPECT_EQ(OwnWindows(), withHost);
    EXPECT_EQ(control_test::RecordingControlObjects(), 0);
  }
  // The same wrapper can try again once the control works.
  control_.RequestFailure(nullptr);
  EXPECT_TRUE(CreateMeter());
  EXPECT_EQ(control_test::RecordingControlObjects(), 1);
}

#ifdef _WIN32
// A control that does not ask for its client site first is given it after
// InitNew (the recording control refuses it before), one that asks before.
TEST_F(ControlTest, TheClientSiteComesWhenTheControlAsksForIt) {
  for (const char* order : {"site-later", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(order != nullptr ? order : "site first");
    control_.RequestFailure(order);
    ASSERT_TRUE(CreateMeter());
    EXPECT_TRUE(host_.meter.SetTitle("t"));
    EXPECT_TRUE(host_.meter.DestroyWindow());
    EXPECT_EQ(control_test::RecordingControlObjects(), 0);
  }
}
#endif

TEST_F(ControlTest, PersistenceAndLicenceKeysAreRefused) {
  std::vector<HWND> withHost = OwnWindows();
  CWnd control;
  OLECHAR key[] = {'k', 0};
  EXPECT_FALSE(control.CreateControl(kMeterClassId, nullptr, WS_VISIBLE, client_, &host_, kMeterId,
                                     nullptr, FALSE, key));
  EXPECT_FALSE(control.CreateControl(kMeterClassId, nullptr, WS_VISIBLE, client_, &host_, kMeterId,
                                     nullptr, TRUE));
  EXPECT_EQ(OwnWindows(), withHost);
  EXPECT_EQ(control_test::RecordingControlObjects(), 0);
}

TEST_F(ControlTest, DestroyingTheWrapperEndsControlAndSite) {
  ASSERT_TRUE(CreateMeter());
  HWND controlWindow = host_.meter.m_hWnd;
  EXPECT_TRUE(host_.meter.DestroyWindow());
  EXPECT_EQ(host_.meter.m_hWnd, nullptr);
  EXPECT_FALSE(::IsWindow(controlWindow));
  EXPECT_EQ(::GetDlgItem(host_.m_hWnd, static_cast<int>(kMeterId)), nullptr);
  EXPECT_EQ(control_test::RecordingControlObjects(), 0);
  EXPECT_TRUE(::IsWindow(host_.m_hWnd));
  EXPECT_FALSE(host_.meter.SetTitle("gone"));
  EXPECT_TRUE(control_.Calls().empty());
}

TEST_F(ControlTest, DestroyingTheHostEndsTheControlFirst) {
  ASSERT_TRUE(CreateMeter());
  std::string caption = UniqueBrowserCaption("Host goes");
  BrowserWindow browser(caption);
  MoveIntoBrowser(browser);
  EXPECT_TRUE(host_.DestroyWindow());
  EXPECT_EQ(host_.meter.m_hWnd, nullptr);
  EXPECT_EQ(control_test::RecordingControlObjects(), 0);
  EXPECT_TRUE(::IsWindow(browser.hwnd()));
  std::vector<HWND> children;
  ::EnumChildWindows(browser.hwnd(), CollectChild, reinterpret_cast<LPARAM>(&children));
  EXPECT_TRUE(children.empty());
}

TEST(ControlHost, DestructorEndsControlThenWindowLikeTheLauncher) {
  RecordingControlScope control;
  ASSERT_TRUE(control.registered());
  std::vector<HWND> before = OwnWindows();
  {
    TestHost host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), nullptr, WS_POPUP, 0,
                              0, 0, 0, nullptr, nullptr));
    RECT client;
    host.GetClientRect(&client);
    ASSERT_TRUE(host.meter.Create(nullptr, nullptr, WS_VISIBLE, client, &host, kMeterId));
    EXPECT_TRUE(host.meter.SetTitle("t"));
  }
  EXPECT_EQ(OwnWindows(), before);
  EXPECT_EQ(control_test::RecordingControlObjects(), 0);
  std::vector<std::string> expected = {"1\tt\t"};
  EXPECT_EQ(control.Calls(), expected);
}

}  // namespace
}  // namespace window_test
