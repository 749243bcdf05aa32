#include <gtest/gtest.h>

#include "launcher/dde/DdeLink.h"

namespace {

TEST(GrowableArray, GrowsByTheFrameworkRule) {
  GrowableArray<ConversationEntry> entries;
  // The first append allocates one; then by a eighth of the size, at least 4.
  const int expected[] = {1, 5, 5, 5, 5, 9};
  for (int i = 0; i < 6; ++i) {
    ConversationEntry entry = {0, 0};
    ASSERT_TRUE(entries.Append(entry));
    EXPECT_EQ(entries.capacity, expected[i]) << "after append " << i + 1;
  }
  // ... 33, 37, 41, 46, 51, 57, 64, 72, 81, 91, 102.
  while (entries.size < 100) {
    ConversationEntry entry = {0, 0};
    ASSERT_TRUE(entries.Append(entry));
  }
  EXPECT_EQ(entries.capacity, 102);
  // Past 8192 elements the step stops at 1024.
  while (entries.size < 9000) {
    ConversationEntry entry = {0,
                               reinterpret_cast<HCONV>(static_cast<uintptr_t>(entries.size + 1))};
    ASSERT_TRUE(entries.Append(entry));
  }
  int before = entries.capacity;
  while (entries.size < before + 1) {
    ConversationEntry entry = {0, 0};
    ASSERT_TRUE(entries.Append(entry));
  }
  EXPECT_EQ(entries.capacity - before, 1024);
  // Elements survive every move.
  EXPECT_EQ(entries.data[8999].conversation, reinterpret_cast<HCONV>(static_cast<uintptr_t>(9000)));
  entries.Free();
  EXPECT_EQ(entries.size, 0);
  EXPECT_EQ(entries.capacity, 0);
  EXPECT_EQ(entries.data, nullptr);
}

}  // namespace
