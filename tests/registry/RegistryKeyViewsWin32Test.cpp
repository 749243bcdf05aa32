// The wrapper's keys under HKEY_LOCAL_MACHINE on 64-bit Windows: the
// registry's 32-bit view first, the 64-bit view when the key is not there,
// and the wrapper's result codes as for one view.
#include <gtest/gtest.h>

#include <string>

#include "installer/registry/ProductKeyReader.h"
#include "installer/registry/RegistryKey.h"
#include "testing/RegistryScratch.h"

namespace {

constexpr const char kTestKey[] = "Software\\QcRegistryViewsTest";

bool KeyInView(const char* path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

TEST(RegistryKeyViews, ValuesComeFromThe32BitViewFirstThenThe64BitView) {
  struct Row {
    const char* label;
    const char* value32;  // null: the key is not in this view
    const char* value64;
    int opened;
    LONG error;
    std::string read;
  } rows[] = {
      {"32-bit view only", "thirty-two", nullptr, 1, ERROR_SUCCESS, "thirty-two"},
      {"64-bit view only", nullptr, "sixty-four", 1, ERROR_SUCCESS, "sixty-four"},
      {"both views", "thirty-two", "sixty-four", 1, ERROR_SUCCESS, "thirty-two"},
      {"neither view", nullptr, nullptr, 0, ERROR_FILE_NOT_FOUND, "default"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RegistryScratch view32(KEY_WOW64_32KEY);
    RegistryScratch view64(KEY_WOW64_64KEY);
    if (row.value32) {
      ASSERT_TRUE(view32.SetString(HKEY_LOCAL_MACHINE, kTestKey, "V", row.value32));
    }
    if (row.value64) {
      ASSERT_TRUE(view64.SetString(HKEY_LOCAL_MACHINE, kTestKey, "V", row.value64));
    }
    for (int mode : {RegistryKey::kRead, RegistryKey::kReadWrite}) {
      RegistryKey key;
      ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
      EXPECT_EQ(key.OpenSubKey(kTestKey, mode), row.opened);
      EXPECT_EQ(key.lastError, row.error);
      char buffer[64] = "";
      if (row.opened) {
        EXPECT_STREQ(key.subKeyPath, kTestKey);
        EXPECT_EQ(key.QueryValue("V", buffer, sizeof buffer, "default"), 1);
        EXPECT_EQ(buffer, row.read);
        EXPECT_EQ(key.CloseSubKey(), ERROR_SUCCESS);
      } else {
        EXPECT_EQ(key.subKey, nullptr);
      }
    }
  }
}

TEST(RegistryKeyViews, ProductBasePathIsReadFromEitherView) {
  struct Row {
    const char* label;
    REGSAM view;
  } rows[] = {{"32-bit view", KEY_WOW64_32KEY}, {"64-bit view", KEY_WOW64_64KEY}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    RegistryScratch scratch(row.view);
    ASSERT_TRUE(scratch.SetString(HKEY_LOCAL_MACHINE, ProductKeyReader::kKeyPath, "Base Path",
                                  "C:\\Quillary"));
    ProductKeyReader reader;
    char basePath[ProductKeyReader::kBasePathSize] = "";
    EXPECT_TRUE(reader.ReadBasePath(basePath));
    EXPECT_STREQ(basePath, "C:\\Quillary");
  }
}

TEST(RegistryKeyViews, CreateMakesAMissingKeyWhere32BitProgramsLookAndOpensAnExistingOne) {
  {
    RegistryScratch view32(KEY_WOW64_32KEY);
    view32.RemoveAtEnd(HKEY_LOCAL_MACHINE, kTestKey);
    RegistryKey key;
    ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
    EXPECT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kCreate), 1);
    EXPECT_EQ(key.lastError, ERROR_SUCCESS);
    EXPECT_EQ(key.CloseSubKey(), ERROR_SUCCESS);
    EXPECT_TRUE(KeyInView(kTestKey, KEY_WOW64_32KEY));
    EXPECT_FALSE(KeyInView(kTestKey, KEY_WOW64_64KEY));
  }
  {
    RegistryScratch view64(KEY_WOW64_64KEY);
    ASSERT_TRUE(view64.SetString(HKEY_LOCAL_MACHINE, kTestKey, "V", "sixty-four"));
    RegistryKey key;
    ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
    EXPECT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kCreate), 1);
    char buffer[64] = "";
    key.QueryValue("V", buffer, sizeof buffer, nullptr);
    EXPECT_STREQ(buffer, "sixty-four");
    EXPECT_EQ(key.CloseSubKey(), ERROR_SUCCESS);
    EXPECT_FALSE(KeyInView(kTestKey, KEY_WOW64_32KEY));
  }
}

}  // namespace
