// Rules of the desktop that the stand-in shares with Windows: parents and
// owners, refusals, and what a destroyed handle is.
#include <gtest/gtest.h>

#include "framework/Framework.h"
#include "tests/window/WindowTestSupport.h"

namespace window_test {
namespace {

TEST(Desktop, GetParentGivesParentOwnerOrNothing) {
  LPCSTR className = AfxRegisterWndClass(0);
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, className, "owner", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr));
  HWND popup = ::CreateWindowExA(0, className, "popup", WS_POPUP, 0, 0, 5, 5, owner.m_hWnd, nullptr,
                                 nullptr, nullptr);
  HWND overlapped = ::CreateWindowExA(0, className, "owned", WS_OVERLAPPED, 0, 0, 5, 5,
                                      owner.m_hWnd, nullptr, nullptr, nullptr);
  HWND child = ::CreateWindowExA(0, className, "child", WS_CHILD, 0, 0, 5, 5, owner.m_hWnd, nullptr,
                                 nullptr, nullptr);
  ASSERT_TRUE(popup && overlapped && child);
  EXPECT_EQ(::GetParent(popup), owner.m_hWnd);  // a pop-up's owner
  EXPECT_EQ(::GetParent(overlapped), nullptr);  // owned, but neither child nor pop-up
  EXPECT_EQ(::GetWindow(overlapped, GW_OWNER), owner.m_hWnd);
  EXPECT_EQ(::GetParent(child), owner.m_hWnd);
  EXPECT_EQ(::GetParent(owner.m_hWnd), nullptr);
  EXPECT_EQ(::GetAncestor(child, GA_ROOT), owner.m_hWnd);
  EXPECT_EQ(::GetAncestor(popup, GA_ROOT), popup);
  EXPECT_EQ(::GetAncestor(popup, GA_ROOTOWNER), owner.m_hWnd);
}

TEST(Desktop, SetParentRefusesTheWindowItselfAndItsDescendants) {
  LPCSTR className = AfxRegisterWndClass(0);
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, className, "top", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
  HWND child = ::CreateWindowExA(0, className, "child", WS_CHILD, 0, 0, 5, 5, top.m_hWnd, nullptr,
                                 nullptr, nullptr);
  HWND grandchild = ::CreateWindowExA(0, className, "grandchild", WS_CHILD, 0, 0, 5, 5, child,
                                      nullptr, nullptr, nullptr);
  ASSERT_TRUE(child && grandchild);
  EXPECT_EQ(::SetParent(top.m_hWnd, grandchild), nullptr);
  EXPECT_EQ(::SetParent(child, child), nullptr);
  EXPECT_EQ(::GetAncestor(top.m_hWnd, GA_PARENT), ::GetDesktopWindow());
  EXPECT_EQ(::GetAncestor(child, GA_PARENT), top.m_hWnd);
  // Back to the desktop: top-level again.
  EXPECT_EQ(::SetParent(grandchild, nullptr), child);
  EXPECT_EQ(::GetAncestor(grandchild, GA_PARENT), ::GetDesktopWindow());
  ::DestroyWindow(grandchild);
}

TEST(Desktop, ADestroyedHandleIsNoWindow) {
  HWND window = ::CreateWindowExA(0, "Static", "gone", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                  nullptr, nullptr);
  ASSERT_TRUE(::IsWindow(window));
  EXPECT_TRUE(::DestroyWindow(window));
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(::DestroyWindow(window));  // (Windows and Wine differ in the error code)
  char text[8] = "x";
  EXPECT_EQ(::GetWindowTextA(window, text, sizeof text), 0);
  EXPECT_EQ(::SetParent(window, nullptr), nullptr);
  RECT rect;
  EXPECT_FALSE(::GetClientRect(window, &rect));
}

TEST(Desktop, AClassWithWindowsStaysRegistered) {
  WNDCLASSA attributes{};
  attributes.lpfnWndProc = ::DefWindowProcA;
  attributes.hInstance = AfxGetInstanceHandle();
  attributes.lpszClassName = "QcDesktopTestClass";
  ASSERT_NE(::RegisterClassA(&attributes), 0);
  EXPECT_EQ(::RegisterClassA(&attributes), 0);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  HWND window = ::CreateWindowExA(0, "qcdesktoptestclass", "w", WS_POPUP, 0, 0, 5, 5, nullptr,
                                  nullptr, AfxGetInstanceHandle(), nullptr);
  ASSERT_NE(window, nullptr);
  char name[32];
  EXPECT_EQ(::GetClassNameA(window, name, sizeof name), 18);
  EXPECT_STREQ(name, "QcDesktopTestClass");
  EXPECT_FALSE(::UnregisterClassA("QcDesktopTestClass", AfxGetInstanceHandle()));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  ::DestroyWindow(window);
  EXPECT_TRUE(::UnregisterClassA("QcDesktopTestClass", AfxGetInstanceHandle()));
  EXPECT_EQ(::CreateWindowExA(0, "QcDesktopTestClass", "w", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                              AfxGetInstanceHandle(), nullptr),
            nullptr);
}

}  // namespace
}  // namespace window_test
