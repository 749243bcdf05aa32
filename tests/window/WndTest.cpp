// Windows through CWnd as the launcher uses them (a hidden 0x0 pop-up host,
// centred, moved into a captioned top-level window and made its child), and
// the desktop rules beneath, which the stand-in must share with Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Framework.h"
#include "tests/window/TestMeter.h"
#include "tests/window/WindowTestSupport.h"

namespace window_test {

class NotCreatable : public CWnd {
  DECLARE_DYNAMIC(NotCreatable)
};
IMPLEMENT_DYNAMIC(NotCreatable, CWnd)

namespace {

const DWORD kHostExStyle = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;

bool IsTopLevelOfOurs(HWND hwnd) {
  std::vector<HWND> own = OwnWindows();
  return std::find(own.begin(), own.end(), hwnd) != own.end() &&
         ::GetAncestor(hwnd, GA_PARENT) == ::GetDesktopWindow();
}

void ExpectRect(const RECT& actual, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(actual.left, left);
  EXPECT_EQ(actual.top, top);
  EXPECT_EQ(actual.right, right);
  EXPECT_EQ(actual.bottom, bottom);
}

// A rectangle of a child in its parent's client coordinates.
RECT RectInParent(HWND child) {
  RECT rect;
  ::GetWindowRect(child, &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  HWND parent = ::GetAncestor(child, GA_PARENT);
  ::ScreenToClient(parent, &corners[0]);
  ::ScreenToClient(parent, &corners[1]);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

TEST(HostWindow, IsAHiddenPopupWithoutClientAreaCentredOnTheScreen) {
  LPCSTR className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
  ASSERT_NE(className, nullptr);
  CWnd host;
  ASSERT_TRUE(
      host.CreateEx(kHostExStyle, className, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
  ASSERT_TRUE(::IsWindow(host.m_hWnd));
  EXPECT_EQ(host.GetSafeHwnd(), host.m_hWnd);
  EXPECT_EQ(host.GetStyle() & (WS_POPUP | WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_POPUP));
  // Windows keeps a window edge only for dialog and sizing frames.
  EXPECT_EQ(host.GetExStyle() & kHostExStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_FALSE(::IsWindowVisible(host.m_hWnd));
  EXPECT_TRUE(IsTopLevelOfOurs(host.m_hWnd));

  host.CenterWindow();
  RECT window;
  host.GetWindowRect(&window);
  LONG x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  LONG y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
  ExpectRect(window, x, y, x, y);
  RECT client{1, 2, 3, 4};
  host.GetClientRect(&client);
  ExpectRect(client, 0, 0, 0, 0);
}

TEST(HostWindow, MovesIntoTheCaptionedWindowAsItsChild) {
  std::string caption = UniqueBrowserCaption("A page");
  BrowserWindow browser(caption);
  ASSERT_NE(browser.hwnd(), nullptr);
  CWnd host;
  ASSERT_TRUE(host.CreateEx(kHostExStyle, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), nullptr,
                            WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));

  HWND found = ::FindWindowA(nullptr, caption.c_str());
  ASSERT_EQ(found, browser.hwnd());
  CWnd* previous = host.SetParent(CWnd::FromHandle(found));
  ASSERT_NE(previous, nullptr);
  EXPECT_EQ(previous->m_hWnd, ::GetDesktopWindow());
  EXPECT_TRUE(host.ModifyStyle(WS_POPUP, WS_CHILD, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER));

  EXPECT_EQ(host.GetStyle() & (WS_POPUP | WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD));
  EXPECT_EQ(::GetParent(host.m_hWnd), found);
  EXPECT_EQ(host.GetParent(), CWnd::FromHandle(found));
  EXPECT_EQ(::GetAncestor(host.m_hWnd, GA_ROOT), found);
  EXPECT_TRUE(::IsChild(found, host.m_hWnd));
  EXPECT_FALSE(IsTopLevelOfOurs(host.m_hWnd));
  RECT client{1, 2, 3, 4};
  host.GetClientRect(&client);
  ExpectRect(client, 0, 0, 0, 0);
}

TEST(HostWindow, GoesWithTheWindowItWasMovedInto) {
  CWnd host;
  ASSERT_TRUE(
      host.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr));
  {
    BrowserWindow browser(UniqueBrowserCaption("Closing"));
    ::SetParent(host.m_hWnd, browser.hwnd());
  }
  EXPECT_FALSE(::IsWindow(host.m_hWnd));
  // The wrapper's handle is stale now; destroying again is harmless.
  EXPECT_FALSE(host.DestroyWindow());
  EXPECT_EQ(host.m_hWnd, nullptr);
}

TEST(Wnd, ModifyStyleReportsWhetherTheStyleChanged) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200,
                              nullptr, nullptr));
  CWnd child;
  ASSERT_TRUE(
      child.Create(AfxRegisterWndClass(0), "child", WS_TABSTOP, RECT{0, 0, 100, 50}, &parent, 7));
  struct Row {
    const char* name;
    DWORD remove;
    DWORD add;
    UINT flags;
    BOOL changed;
    DWORD tabStop;
  };
  const Row rows[] = {
      {"adding a bit already there", 0, WS_TABSTOP, 0, FALSE, WS_TABSTOP},
      {"removing a bit", WS_TABSTOP, 0, 0, TRUE, 0},
      {"removing a bit already gone", WS_TABSTOP, 0, 0, FALSE, 0},
      {"adding a bit with position flags", 0, WS_TABSTOP, SWP_NOSIZE, TRUE, WS_TABSTOP},
      {"removing and adding the same bit", WS_TABSTOP, WS_TABSTOP, 0, FALSE, WS_TABSTOP},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(child.ModifyStyle(row.remove, row.add, row.flags), row.changed);
    EXPECT_EQ(child.GetStyle() & WS_TABSTOP, row.tabStop);
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);
  }
}

TEST(Wnd, ModifyStyleExWithFlagsRedoesTheFrame) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200,
                              nullptr, nullptr));
  CWnd child;
  ASSERT_TRUE(child.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(0), "child", WS_CHILD, 0, 0, 100,
                             50, parent.m_hWnd, reinterpret_cast<HMENU>(8)));
  RECT client;
  child.GetClientRect(&client);
  ExpectRect(client, 0, 0, 96, 46);
  EXPECT_TRUE(child.ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_NOACTIVATE));
  child.GetClientRect(&client);
  ExpectRect(client, 0, 0, 100, 50);
}

TEST(Wnd, CenterWindowUsesOwnerParentOrScreen) {
  LONG screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  LONG screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  LPCSTR className = AfxRegisterWndClass(0);
  CWnd visibleOwner;
  ASSERT_TRUE(visibleOwner.CreateEx(0, className, "owner", WS_POPUP | WS_VISIBLE, 100, 80, 640, 480,
                                    nullptr, nullptr));
  CWnd hiddenOwner;
  ASSERT_TRUE(
      hiddenOwner.CreateEx(0, className, "hidden", WS_POPUP, 100, 80, 640, 480, nullptr, nullptr));
  CWnd parent;
  ASSERT_TRUE(
      parent.CreateEx(0, className, "parent", WS_POPUP, 10, 10, 400, 300, nullptr, nullptr));

  struct Row {
    const char* name;
    HWND parentOrOwner;
    DWORD style;
    int width;
    int height;
    CWnd* alternate;
    RECT expected;  // screen coordinates for top-level windows, the parent's client area's for
                    // children
  };
  const Row rows[] = {
      {"unowned: the screen",
       nullptr,
       WS_POPUP,
       200,
       100,
       nullptr,
       {screenWidth / 2 - 100, screenHeight / 2 - 50, screenWidth / 2 + 100,
        screenHeight / 2 + 50}},
      {"owned by a visible window: over it",
       visibleOwner.m_hWnd,
       WS_POPUP,
       200,
       100,
       nullptr,
       {320, 270, 520, 370}},
      {"owned by a hidden window: the screen",
       hiddenOwner.m_hWnd,
       WS_POPUP,
       200,
       100,
       nullptr,
       {screenWidth / 2 - 100, screenHeight / 2 - 50, screenWidth / 2 + 100,
        screenHeight / 2 + 50}},
      {"alternate owner", nullptr, WS_POPUP, 200, 100, &visibleOwner, {320, 270, 520, 370}},
      {"child: the parent's client area",
       parent.m_hWnd,
       WS_CHILD,
       100,
       50,
       nullptr,
       {150, 125, 250, 175}},
      {"child larger than the parent: kept at the top left",
       parent.m_hWnd,
       WS_CHILD,
       500,
       400,
       nullptr,
       {0, 0, 500, 400}},
      {"larger than the screen: kept at the top left",
       nullptr,
       WS_POPUP,
       screenWidth + 10,
       screenHeight + 10,
       nullptr,
       {0, 0, screenWidth + 10, screenHeight + 10}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, className, "centred", row.style, 3, 4, row.width, row.height,
                                row.parentOrOwner, nullptr));
    window.CenterWindow(row.alternate);
    RECT rect;
    if (row.style & WS_CHILD) {
      rect = RectInParent(window.m_hWnd);
    } else {
      window.GetWindowRect(&rect);
    }
    ExpectRect(rect, row.expected.left, row.expected.top, row.expected.right, row.expected.bottom);
  }
}

TEST(Wnd, WindowEdgeFollowsTheFrame) {
  struct Row {
    const char* name;
    DWORD style;
    DWORD exStyle;
    DWORD kept;
  };
  const Row rows[] = {
      {"pop-up without frame", WS_POPUP, WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE},
      {"overlapped window", WS_OVERLAPPEDWINDOW, 0, WS_EX_WINDOWEDGE},
      {"dialog frame", WS_POPUP | WS_DLGFRAME, 0, WS_EX_WINDOWEDGE},
      {"modal dialog frame", WS_POPUP, WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE},
      {"static edge wins over a frame", WS_POPUP | WS_THICKFRAME, WS_EX_STATICEDGE,
       WS_EX_STATICEDGE},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CWnd window;
    ASSERT_TRUE(window.CreateEx(row.exStyle, AfxRegisterWndClass(0), "edge", row.style, 0, 0, 50,
                                50, nullptr, nullptr));
    DWORD mask = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
    EXPECT_EQ(window.GetExStyle() & mask, row.kept);
  }
}

TEST(Wnd, ChildWindowCarriesItsId) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 200,
                              nullptr, nullptr));
  CWnd child;
  ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_VISIBLE, RECT{5, 6, 105, 56},
                           &parent, 1900));
  EXPECT_EQ(child.GetDlgCtrlID(), 1900);
  EXPECT_EQ(::GetDlgItem(parent.m_hWnd, 1900), child.m_hWnd);
  EXPECT_EQ(child.GetStyle() & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
  ExpectRect(RectInParent(child.m_hWnd), 5, 6, 105, 56);
  char text[16];
  EXPECT_EQ(::GetWindowTextA(child.m_hWnd, text, sizeof text), 5);
  EXPECT_STREQ(text, "child");
}

TEST(Wnd, CreationFailuresLeaveNoWindow) {
  std::vector<HWND> before = OwnWindows();
  CWnd unknownClass;
  EXPECT_FALSE(
      unknownClass.CreateEx(0, "No such class here", "x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
  EXPECT_EQ(unknownClass.m_hWnd, nullptr);
  CWnd orphanChild;
  EXPECT_FALSE(orphanChild.Create(AfxRegisterWndClass(0), "x", 0, RECT{0, 0, 1, 1}, nullptr, 3));
  EXPECT_EQ(orphanChild.m_hWnd, nullptr);
  CWnd twice;
  ASSERT_TRUE(
      twice.CreateEx(0, AfxRegisterWndClass(0), "x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
  HWND first = twice.m_hWnd;
  EXPECT_FALSE(
      twice.CreateEx(0, AfxRegisterWndClass(0), "y", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
  EXPECT_EQ(twice.m_hWnd, first);
  EXPECT_TRUE(twice.DestroyWindow());
  EXPECT_EQ(OwnWindows(), before);
}

TEST(Wnd, DestructionTakesChildrenAndOwnedWindowsAlong) {
  LPCSTR className = AfxRegisterWndClass(0);
  HWND child = nullptr;
  HWND grandchild = nullptr;
  HWND owned = nullptr;
  HWND window = nullptr;
  {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, className, "parent", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    window = parent.m_hWnd;
    child = ::CreateWindowExA(0, className, "child", WS_CHILD, 0, 0, 10, 10, window, nullptr,
                              nullptr, nullptr);
    grandchild = ::CreateWindowExA(0, className, "grandchild", WS_CHILD, 0, 0, 5, 5, child, nullptr,
                                   nullptr, nullptr);
    owned = ::CreateWindowExA(0, className, "owned", WS_POPUP, 0, 0, 5, 5, window, nullptr, nullptr,
                              nullptr);
    ASSERT_TRUE(child && grandchild && owned);
    EXPECT_EQ(::GetWindow(owned, GW_OWNER), window);
    EXPECT_EQ(::GetAncestor(owned, GA_PARENT), ::GetDesktopWindow());
  }
  for (HWND gone : {window, child, grandchild, owned}) {
    EXPECT_FALSE(::IsWindow(gone));
  }
}

TEST(Wnd, FindWindowMatchesWholeCaptionsOfTopLevelWindowsOnly) {
  std::string caption = UniqueBrowserCaption("Find me");
  BrowserWindow browser(caption);
  HWND child = ::CreateWindowExA(0, "Static", (caption + " child").c_str(), WS_CHILD, 0, 0, 5, 5,
                                 browser.hwnd(), nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  struct Row {
    const char* name;
    std::string caption;
    bool found;
  };
  const Row rows[] = {
      {"the caption", caption, true},
      {"a prefix of it", caption.substr(0, caption.size() - 1), false},
      {"with a blank after it", caption + " ", false},
      {"a child's caption", caption + " child", false},
      {"in capitals: case does not count", Upper(caption), true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(::FindWindowA(nullptr, row.caption.c_str()), row.found ? browser.hwnd() : nullptr);
  }
  EXPECT_EQ(::FindWindowA("Static", caption.c_str()), browser.hwnd());
}

TEST(Wnd, WindowTextIsCutToTheBuffer) {
  BrowserWindow browser("Twelve chars");
  char text[8];
  EXPECT_EQ(::GetWindowTextA(browser.hwnd(), text, sizeof text), 7);
  EXPECT_STREQ(text, "Twelve ");
  EXPECT_EQ(::GetWindowTextLengthA(browser.hwnd()), 12);
  EXPECT_TRUE(::SetWindowTextA(browser.hwnd(), "Other"));
  EXPECT_EQ(::GetWindowTextA(browser.hwnd(), text, sizeof text), 5);
  EXPECT_STREQ(text, "Other");
}

TEST(Wnd, FromHandleGivesTheOwnerOrAWrapperThatLeavesTheWindowAlone) {
  CWnd own;
  ASSERT_TRUE(
      own.CreateEx(0, AfxRegisterWndClass(0), "own", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
  EXPECT_EQ(CWnd::FromHandle(own.m_hWnd), &own);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

  BrowserWindow foreign("Foreign");
  CWnd* wrapper = CWnd::FromHandle(foreign.hwnd());
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->m_hWnd, foreign.hwnd());
  EXPECT_EQ(CWnd::FromHandle(foreign.hwnd()), wrapper);

  CWnd attached;
  HWND raw = ::CreateWindowExA(0, "Static", "raw", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                               nullptr);
  ASSERT_TRUE(attached.Attach(raw));
  EXPECT_EQ(CWnd::FromHandle(raw), &attached);
  EXPECT_EQ(attached.Detach(), raw);
  EXPECT_NE(CWnd::FromHandle(raw), &attached);
  EXPECT_TRUE(::DestroyWindow(raw));
}

TEST(Wnd, AfxRegisterWndClassNamesStayPut) {
  LPCSTR first = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
  ASSERT_NE(first, nullptr);
  std::string firstName = first;
  EXPECT_EQ(firstName.rfind("Afx:", 0), 0u);
  EXPECT_EQ(AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), first);
  LPCSTR other = AfxRegisterWndClass(CS_DBLCLKS);
  ASSERT_NE(other, nullptr);
  EXPECT_STRNE(other, first);
  EXPECT_EQ(first, firstName);  // unchanged by the later registration
  WNDCLASSA attributes{};
  ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), first, &attributes));
  EXPECT_EQ(attributes.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
}

class CommandWindow : public CWnd {
 public:
  int clicks = 0;
  void OnClick() { ++clicks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandWindow, CWnd)
ON_BN_CLICKED(100, &CommandWindow::OnClick)
END_MESSAGE_MAP()

TEST(Wnd, MessageMapOfAWindowChainsToCWnd) {
  CommandWindow window;
  EXPECT_TRUE(window.OnCmdMsg(100, BN_CLICKED));
  EXPECT_FALSE(window.OnCmdMsg(101, BN_CLICKED));
  EXPECT_EQ(window.clicks, 1);
}

TEST(RuntimeClass, RecordsDescribeTheClassAndMakeObjects) {
  const CRuntimeClass* meter = RUNTIME_CLASS(TestMeter);
  EXPECT_STREQ(meter->m_lpszClassName, "TestMeter");
  EXPECT_EQ(meter->m_nObjectSize, static_cast<int>(sizeof(CWnd)));
  EXPECT_EQ(meter->m_wSchema, 0xFFFFu);
  EXPECT_EQ(meter->m_pBaseClass, RUNTIME_CLASS(CWnd));
  EXPECT_TRUE(meter->IsDerivedFrom(RUNTIME_CLASS(CWnd)));
  EXPECT_FALSE(RUNTIME_CLASS(CWnd)->IsDerivedFrom(meter));
  EXPECT_FALSE(meter->IsDerivedFrom(RUNTIME_CLASS(NotCreatable)));

  CCmdTarget* made = meter->CreateObject();
  ASSERT_NE(made, nullptr);
  CWnd* window = static_cast<CWnd*>(made);
  EXPECT_EQ(window->GetRuntimeClass(), meter);
  EXPECT_TRUE(window->IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(window->m_hWnd, nullptr);
  delete made;

  EXPECT_EQ(RUNTIME_CLASS(NotCreatable)->CreateObject(), nullptr);
  EXPECT_EQ(RUNTIME_CLASS(NotCreatable)->m_pfnCreateObject, nullptr);
}

}  // namespace
}  // namespace window_test
