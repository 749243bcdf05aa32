#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "installer/registry/ProductKeyReader.h"
#include "testing/RegistryScratch.h"
#ifndef _WIN32
#include "tests/registry/ReadOnlyAccount.h"
#endif

namespace {

class ProductKeyReaderTest : public ::testing::Test {
 protected:
  RegistryScratch scratch;
};

TEST_F(ProductKeyReaderTest, ReadsBasePathThatFits) {
  struct Row {
    const char* label;
    std::string stored;
    std::string expected;
  } rows[] = {
      {"ordinary", "C:\\Program Files\\Quillary", "C:\\Program Files\\Quillary"},
      {"longest that fits", std::string(259, 'q'), std::string(259, 'q')},
      {"one too long", std::string(260, 'q'), ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    ASSERT_TRUE(
        scratch.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path", row.stored));
    ProductKeyReader reader;
    ASSERT_TRUE(reader.isOpen);
    char buffer[300];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_TRUE(reader.ReadBasePath(buffer));
    EXPECT_EQ(std::string(buffer), row.expected);
    EXPECT_EQ(buffer[ProductKeyReader::kBasePathSize], 'Z');
  }
}

TEST_F(ProductKeyReaderTest, KeyWithoutBasePathGivesAnEmptyText) {
  ASSERT_TRUE(scratch.CreateKey(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath));
  ProductKeyReader reader;
  ASSERT_TRUE(reader.isOpen);
  char buffer[260] = "left over";
  EXPECT_TRUE(reader.ReadBasePath(buffer));
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(reader.key.lastError, ERROR_FILE_NOT_FOUND);
}

TEST_F(ProductKeyReaderTest, MissingKeyLeavesTheBufferUntouched) {
  ProductKeyReader reader;
  EXPECT_FALSE(reader.isOpen);
  EXPECT_EQ(reader.key.lastError, ERROR_FILE_NOT_FOUND);
  char buffer[260];
  std::memset(buffer, 'Q', sizeof buffer);
  EXPECT_FALSE(reader.ReadBasePath(buffer));
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'Q'));
}

TEST_F(ProductKeyReaderTest, AccountThatMayOnlyReadGetsNoBasePath) {
#ifdef _WIN32
  GTEST_SKIP() << "every account of a Wine prefix may write HKEY_LOCAL_MACHINE";
#else
  ASSERT_TRUE(scratch.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path",
                                "/opt/quillary"));
  ReadOnlyAccount account(scratch.hivePath());
  if (!account.active) GTEST_SKIP() << account.reason;

  ProductKeyReader reader;
  EXPECT_FALSE(reader.isOpen);
  EXPECT_EQ(reader.key.lastError, ERROR_ACCESS_DENIED);
  char buffer[260];
  std::memset(buffer, 'Q', sizeof buffer);
  EXPECT_FALSE(reader.ReadBasePath(buffer));
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'Q'));

  // Reading alone is still allowed.
  RegistryKey key;
  ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
  ASSERT_EQ(key.OpenSubKey(ProductKeyReader::kKeyPath, RegistryKey::kRead), 1);
  key.QueryValue("Base Path", buffer, sizeof buffer, nullptr);
  EXPECT_STREQ(buffer, "/opt/quillary");
#endif
}

}  // namespace
