// String handles: shared by all instances, case-blind, counted, bounded.
#include <cstring>
#include <string>

#include "tests/platform/DdePeer.h"

namespace {

std::string Text(DWORD instance, HSZ hsz) {
  char buffer[300] = {};
  DdeQueryStringA(instance, hsz, buffer, sizeof buffer, CP_WINANSI);
  return buffer;
}

TEST_F(DdeTest, OneHandlePerTextWhateverTheCaseAndInstance) {
  Peer a(0), b(1);
  HSZ lower = DdeCreateStringHandleA(a.id, "netscape", CP_WINANSI);
  HSZ upper = DdeCreateStringHandleA(b.id, "NETSCAPE", CP_WINANSI);
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(upper, lower);
  EXPECT_EQ(posix_dde::LiveStringHandles(), std::get<1>(start) + 1);
  EXPECT_EQ(Text(b.id, upper), "netscape") << "the first creation's text is kept";
  EXPECT_EQ(DdeCmpStringHandles(lower, upper), 0);
  EXPECT_TRUE(DdeFreeStringHandle(a.id, lower));
  EXPECT_EQ(Text(b.id, upper), "netscape") << "b still holds it";
  EXPECT_TRUE(DdeFreeStringHandle(b.id, upper));
}

TEST_F(DdeTest, EveryReferenceNeedsItsOwnFree) {
  Peer a(0);
  HSZ first = DdeCreateStringHandleA(a.id, "WWW_ListWindows", CP_WINANSI);
  HSZ again = DdeCreateStringHandleA(a.id, "www_listwindows", CP_WINANSI);
  ASSERT_EQ(again, first);
  EXPECT_TRUE(DdeKeepStringHandle(a.id, first));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Text(a.id, first), "WWW_ListWindows") << "before free " << i + 1;
    EXPECT_TRUE(DdeFreeStringHandle(a.id, first)) << "free " << i + 1;
  }
  EXPECT_FALSE(DdeFreeStringHandle(a.id, first)) << "a fourth free";
  EXPECT_EQ(DdeGetLastError(a.id), UINT{DMLERR_INVALIDPARAMETER});
  EXPECT_EQ(DdeQueryStringA(a.id, first, nullptr, 0, CP_WINANSI), 0u) << "freed at 0";

  HSZ later = DdeCreateStringHandleA(a.id, "WWW_ListWindows", CP_WINANSI);
  EXPECT_NE(later, first) << "a freed handle's value is not given out again";
  EXPECT_TRUE(DdeFreeStringHandle(a.id, later));
}

TEST_F(DdeTest, AnInstanceFreesOnlyWhatItHolds) {
  Peer holder(0), other(1);
  HSZ name = holder.Name("WWW_GetFrameParent");
  EXPECT_FALSE(DdeFreeStringHandle(other.id, name));
  EXPECT_EQ(DdeGetLastError(other.id), UINT{DMLERR_INVALIDPARAMETER});
  EXPECT_EQ(Text(holder.id, name), "WWW_GetFrameParent");
}

TEST_F(DdeTest, TextsRefusedAsStringHandles) {
  const std::string longest(255, 'x');
  const std::string tooLong(256, 'x');
  struct Row {
    const char* name;
    const char* text;
    bool made;
  } rows[] = {
      {"null", nullptr, false},
      {"empty", "", false},
      {"256 characters", tooLong.c_str(), false},
      {"255 characters", longest.c_str(), true},
  };
  Peer a(0);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HSZ hsz = DdeCreateStringHandleA(a.id, row.text, CP_WINANSI);
    EXPECT_EQ(hsz != nullptr, row.made);
    EXPECT_EQ(DdeGetLastError(a.id), row.made ? 0u : UINT{DMLERR_INVALIDPARAMETER});
    if (hsz) {
      EXPECT_EQ(DdeQueryStringA(a.id, hsz, nullptr, 0, CP_WINANSI), std::strlen(row.text));
      EXPECT_TRUE(DdeFreeStringHandle(a.id, hsz));
    }
  }
  EXPECT_EQ(DdeCreateStringHandleA(0, "NETSCAPE", CP_WINANSI), nullptr) << "no instance";
}

TEST_F(DdeTest, QueryCopiesAtMostOneLessThanTheBuffer) {
  struct Row {
    const char* name;
    bool buffer;
    DWORD cchMax;
    DWORD result;
    const char* copied;
  } rows[] = {
      {"length only", false, 0, 15, nullptr},
      {"room to spare", true, 40, 15, "WWW_ListWindows"},
      {"exact room", true, 16, 15, "WWW_ListWindows"},
      {"one short", true, 15, 14, "WWW_ListWindow"},
      {"four characters", true, 5, 4, "WWW_"},
      {"only the NUL", true, 1, 0, ""},
  };
  Peer a(0);
  HSZ hsz = a.Name("WWW_ListWindows");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    char buffer[48];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(DdeQueryStringA(a.id, hsz, row.buffer ? buffer : nullptr, row.cchMax, CP_WINANSI),
              row.result);
    if (!row.copied) continue;
    EXPECT_STREQ(buffer, row.copied);
    for (size_t i = std::strlen(row.copied) + 1; i < sizeof buffer; ++i)
      ASSERT_EQ(buffer[i], '#') << "written past the NUL at " << i;
  }
  EXPECT_EQ(DdeGetLastError(a.id), 0u);
}

TEST_F(DdeTest, ComparisonIgnoresCaseAndPutsNoHandleFirst) {
  Peer a(0);
  HSZ abc = a.Name("abc"), abd = a.Name("ABD"), b = a.Name("b");
  struct Row {
    HSZ first;
    HSZ second;
    int order;
  } rows[] = {
      {abc, abd, -1}, {b, abd, 1}, {nullptr, abc, -1}, {abc, nullptr, 1}, {nullptr, nullptr, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DdeCmpStringHandles(row.first, row.second), row.order)
        << Text(a.id, row.first) << " against " << Text(a.id, row.second);
  }
}

}  // namespace
