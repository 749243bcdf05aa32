// Instances and the error each keeps.
#include "tests/platform/DdePeer.h"

namespace {

HDDEDATA CALLBACK Ignore(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

TEST_F(DdeTest, InstanceIdsCountUp) {
  DWORD first = 0, second = 0;
  ASSERT_EQ(DdeInitializeA(&first, Ignore, 0, 0), UINT{DMLERR_NO_ERROR});
  ASSERT_EQ(DdeInitializeA(&second, Ignore, 0, 0), UINT{DMLERR_NO_ERROR});
  EXPECT_GE(first, 1u);
  EXPECT_EQ(second, first + 1);
  EXPECT_TRUE(DdeUninitialize(first));
  EXPECT_FALSE(DdeUninitialize(first)) << "already ended";
  EXPECT_EQ(DdeCreateStringHandleA(first, "NETSCAPE", CP_WINANSI), nullptr);
  EXPECT_EQ(DdeGetLastError(first), UINT{DMLERR_INVALIDPARAMETER});
  EXPECT_TRUE(DdeUninitialize(second));
}

TEST_F(DdeTest, FailedInitializeOpensNothing) {
  posix_dde::FailNextInitialize(DMLERR_SYS_ERROR);
  DWORD id = 0;
  EXPECT_EQ(DdeInitializeA(&id, Ignore, 0, 0), UINT{DMLERR_SYS_ERROR});
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(posix_dde::LiveInstances(), std::get<0>(start));
  EXPECT_EQ(DdeInitializeA(&id, Ignore, 0, 0), UINT{DMLERR_NO_ERROR}) << "only the next one fails";
  EXPECT_NE(id, 0u);
  EXPECT_TRUE(DdeUninitialize(id));
  EXPECT_EQ(DdeInitializeA(nullptr, Ignore, 0, 0), UINT{DMLERR_INVALIDPARAMETER});
}

TEST_F(DdeTest, LastErrorIsKeptUntilReadAndThenReset) {
  Peer a(0), b(1);
  EXPECT_EQ(DdeCreateStringHandleA(a.id, "", CP_WINANSI), nullptr);
  HSZ good = a.Name("NETSCAPE");  // a success leaves the error alone
  EXPECT_EQ(DdeGetLastError(b.id), 0u) << "errors are per instance";
  EXPECT_EQ(DdeGetLastError(a.id), UINT{DMLERR_INVALIDPARAMETER});
  EXPECT_EQ(DdeGetLastError(a.id), 0u);
  EXPECT_NE(good, nullptr);
  EXPECT_EQ(DdeConnect(a.id, good, good, nullptr), nullptr);
  EXPECT_EQ(DdeGetLastError(a.id), UINT{DMLERR_NO_CONV_ESTABLISHED}) << "the latest failure";
}

}  // namespace
