// Peer modules that do not start are unloaded again: one without the entry
// point, and one whose start fails. Its own program, since the peers are
// loaded once per process, at the first DDEML instance.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "platform/Win32Api.h"

namespace {

HDDEDATA CALLBACK NoCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

bool Loaded(const char* path) {
  void* module = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
  if (module == nullptr) {
    return false;
  }
  dlclose(module);
  return true;
}

TEST(DdePeers, ModulesThatDoNotStartAreUnloaded) {
  for (const char* path : {NO_ENTRY_MODULE, FAILING_PEER_MODULE}) {
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    dlclose(module);
    ASSERT_FALSE(Loaded(path)) << "a module that cannot be unloaded tells nothing here";
  }
  const std::string peers = std::string(NO_ENTRY_MODULE) + ":" + FAILING_PEER_MODULE;
  ASSERT_EQ(setenv("QC_DDE_PEERS", peers.c_str(), 1), 0);
  testing::internal::CaptureStderr();
  DWORD instance = 0;
  ASSERT_EQ(DdeInitializeA(&instance, NoCallback, 0, 0), 0u);
  std::string said = testing::internal::GetCapturedStderr();
  DdeUninitialize(instance);
  unsetenv("QC_DDE_PEERS");
  EXPECT_NE(said.find(std::string("DDE peer ") + NO_ENTRY_MODULE + " did not start"),
            std::string::npos)
      << said;
  EXPECT_NE(said.find(std::string("DDE peer ") + FAILING_PEER_MODULE + " did not start"),
            std::string::npos)
      << said;
  EXPECT_FALSE(Loaded(NO_ENTRY_MODULE));
  EXPECT_FALSE(Loaded(FAILING_PEER_MODULE));
}

}  // namespace
