// Under Wine: a DDEML instance that fails to open (the program's import of
// DdeInitializeA is pointed at a failing stand-in) leaves every operation of
// the link with its empty result, and its destruction calls nothing.
#include <windows.h>
// ddeml.h needs windows.h first.
#include <ddeml.h>
#include <gtest/gtest.h>

#include "launcher/dde/DdeLink.h"
#include "testing/ImportPatch.h"
#include "tests/dde/LinkTestSupport.h"

namespace {

int calls = 0;

UINT WINAPI FailingInitialize(LPDWORD id, PFNCALLBACK, DWORD, DWORD) {
  ++calls;
  *id = 0;
  return DMLERR_SYS_ERROR;
}

typedef HCONV(WINAPI* ConnectFunction)(DWORD, HSZ, HSZ, PCONVCONTEXT);
typedef BOOL(WINAPI* InstanceFunction)(DWORD);
typedef BOOL(WINAPI* FreeStringFunction)(DWORD, HSZ);
typedef BOOL(WINAPI* DisconnectFunction)(HCONV);
import_patch::ImportPatch* connectPatch = nullptr;
import_patch::ImportPatch* uninitializePatch = nullptr;
import_patch::ImportPatch* freeStringPatch = nullptr;
import_patch::ImportPatch* disconnectPatch = nullptr;

HCONV WINAPI CountedConnect(DWORD a, HSZ b, HSZ c, PCONVCONTEXT d) {
  ++calls;
  return reinterpret_cast<ConnectFunction>(connectPatch->original())(a, b, c, d);
}
BOOL WINAPI CountedUninitialize(DWORD a) {
  ++calls;
  return reinterpret_cast<InstanceFunction>(uninitializePatch->original())(a);
}
BOOL WINAPI CountedFreeString(DWORD a, HSZ b) {
  ++calls;
  return reinterpret_cast<FreeStringFunction>(freeStringPatch->original())(a, b);
}
BOOL WINAPI CountedDisconnect(HCONV a) {
  ++calls;
  return reinterpret_cast<DisconnectFunction>(disconnectPatch->original())(a);
}

TEST(DdeLinkWithoutInstance, EveryOperationIsEmptyAndDestructionCallsNothing) {
  auto browser = StartBrowser("window 5 \"http://a/\" \"Home\" \"\" parent=-\ncurrent 5\n");
  import_patch::ImportPatch initialize("user32.dll", "DdeInitializeA",
                                       reinterpret_cast<void*>(&FailingInitialize));
  import_patch::ImportPatch connect("user32.dll", "DdeConnect",
                                    reinterpret_cast<void*>(&CountedConnect));
  import_patch::ImportPatch uninitialize("user32.dll", "DdeUninitialize",
                                         reinterpret_cast<void*>(&CountedUninitialize));
  import_patch::ImportPatch freeString("user32.dll", "DdeFreeStringHandle",
                                       reinterpret_cast<void*>(&CountedFreeString));
  import_patch::ImportPatch disconnect("user32.dll", "DdeDisconnect",
                                       reinterpret_cast<void*>(&CountedDisconnect));
  ASSERT_TRUE(initialize.active() && connect.active() && uninitialize.active() &&
              freeString.active() && disconnect.active());
  connectPatch = &connect;
  uninitializePatch = &uninitialize;
  freeStringPatch = &freeString;
  disconnectPatch = &disconnect;

  calls = 0;
  {
    DdeLink link;
    EXPECT_EQ(calls, 1);  // DdeInitializeA alone
    EXPECT_FALSE(link.initialized);
    EXPECT_EQ(link.instanceId, 0u);
    EXPECT_EQ(link.ConnectTopic(link.topicHandles[DdeLink::kListWindows]), static_cast<HCONV>(0));
    EXPECT_EQ(link.MakeStringHandle("x"), static_cast<HSZ>(0));
    link.RefreshWindowList();
    EXPECT_EQ(link.windowList.size, 0);
    EXPECT_EQ(link.FindCurrentTopWindow(), 0xFFFFFFFFu);
    BrowserWindowInfo info;
    EXPECT_EQ(link.CopyWindowInfo(&info, 0xFFFFFFFF), 1);
    EXPECT_EQ(info.title, nullptr);
    EXPECT_STREQ(info.url, "");
    calls = 0;
  }
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(browser->counters().totalRequests, 0u);
  EXPECT_EQ(AcceptedOn(*browser), 0u);
}

}  // namespace
