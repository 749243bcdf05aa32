// Data handles: exact copies of exactly the size asked for.
#include <cstring>
#include <string>

#include "tests/platform/DdePeer.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define QC_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define QC_ASAN 1
#endif
#endif

namespace {

LPBYTE Source(const char* text) { return reinterpret_cast<LPBYTE>(const_cast<char*>(text)); }

TEST_F(DdeTest, DataHandlesHoldExactlyTheBytesAsked) {
  struct Row {
    const char* name;
    const char* source;  // null: no source
    DWORD size;
    DWORD offset;
    std::string bytes;
  } rows[] = {
      {"text with its NUL", "\"a.htm\"", 8, 0, std::string("\"a.htm\"", 8)},
      {"from an offset", "xxabc", 3, 2, "abc"},
      {"no source: zero-filled", nullptr, 5, 0, std::string(5, '\0')},
      {"nothing", "abc", 0, 0, ""},
  };
  Peer a(0);
  HSZ item = a.Name("4294967295");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HDDEDATA data = DdeCreateDataHandle(a.id, row.source ? Source(row.source) : nullptr, row.size,
                                        row.offset, item, CF_TEXT, 0);
    ASSERT_NE(data, nullptr);
    DWORD size = 0xDEAD;
    LPBYTE bytes = DdeAccessData(data, &size);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(size, row.size);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), size), row.bytes);
#ifdef QC_ASAN
    EXPECT_TRUE(__asan_address_is_poisoned(bytes + size)) << "the block ends at its size";
#endif
    EXPECT_EQ(DdeAccessData(data, nullptr), bytes) << "the size pointer may be null";
    EXPECT_TRUE(DdeUnaccessData(data));
    EXPECT_TRUE(DdeFreeDataHandle(data));
  }
  EXPECT_EQ(posix_dde::CallLog()[2].text, "DdeCreateDataHandle 4294967295 8");
  EXPECT_EQ(DdeCreateDataHandle(0, Source("x"), 1, 0, nullptr, CF_TEXT, 0), nullptr);
}

TEST_F(DdeTest, GetDataCopiesWhatFitsFromTheOffset) {
  struct Row {
    const char* name;
    bool buffer;
    DWORD cbMax;
    DWORD offset;
    DWORD result;
    const char* copied;
  } rows[] = {
      {"size only", false, 0, 0, 6, ""},
      {"from an offset", true, 16, 2, 4, "cdef"},
      {"limited from an offset", true, 2, 3, 2, "de"},
      {"offset beyond", true, 16, 9, 0, ""},
  };
  Peer a(0);
  HDDEDATA data = DdeCreateDataHandle(a.id, Source("abcdef"), 6, 0, nullptr, CF_TEXT, 0);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    char buffer[16] = {};
    DWORD result = DdeGetData(data, row.buffer ? reinterpret_cast<LPBYTE>(buffer) : nullptr,
                              row.cbMax, row.offset);
    EXPECT_EQ(result, row.result);
    EXPECT_STREQ(buffer, row.copied);
  }
  EXPECT_TRUE(DdeFreeDataHandle(data));
}

TEST_F(DdeTest, UnknownDataHandlesAreRefused) {
  Peer a(0);
  HDDEDATA data = DdeCreateDataHandle(a.id, Source("abc"), 4, 0, nullptr, CF_TEXT, 0);
  EXPECT_EQ(posix_dde::CallLog().back(), (posix_dde::DdeCall{a.id, "DdeCreateDataHandle 4"}));
  EXPECT_TRUE(DdeFreeDataHandle(data));
  for (HDDEDATA unknown : {data, HDDEDATA{}, CBR_BLOCK}) {
    DWORD size = 77;
    EXPECT_EQ(DdeAccessData(unknown, &size), nullptr);
    EXPECT_EQ(size, 77u);
    EXPECT_FALSE(DdeUnaccessData(unknown));
    EXPECT_FALSE(DdeFreeDataHandle(unknown));
    EXPECT_EQ(DdeGetData(unknown, nullptr, 0, 0), 0u);
  }
  EXPECT_EQ(posix_dde::CallLog().back(), (posix_dde::DdeCall{0, "DdeGetData"}));
}

}  // namespace
