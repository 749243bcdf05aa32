#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "installer/registry/RegistryKey.h"
#include "testing/RegistryScratch.h"
#ifndef _WIN32
#include "platform/posix/RegistryTestHooks.h"
#endif

namespace {

constexpr const char kTestKey[] = "Software\\QcRegistryTest";

// Registry calls made so far; -1 where the platform keeps no count.
long CallCount() {
#ifdef _WIN32
  return -1;
#else
  return static_cast<long>(RegistryCallCount());
#endif
}

void ExpectCallsSince(long before, long made) {
  if (before >= 0) {
    EXPECT_EQ(CallCount(), before + made);
  }
}

class RegistryKeyTest : public ::testing::Test {
 protected:
  RegistryScratch scratch;
};

TEST_F(RegistryKeyTest, RefusedRootsMakeNoCallAndHoldNothing) {
  struct Row {
    int root;
    const char* machine;
    LONG error;
  } rows[] = {
      {RegistryKey::kClassesRoot, "X", ERROR_INVALID_HANDLE},
      {RegistryKey::kCurrentUser, "X", ERROR_INVALID_HANDLE},
      {RegistryKey::kCurrentUser, "", ERROR_INVALID_HANDLE},
      {0, nullptr, ERROR_INVALID_PARAMETER},
      {5, nullptr, ERROR_INVALID_PARAMETER},
      {-1, "X", ERROR_INVALID_PARAMETER},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "root " << row.root);
    RegistryKey key;
    long before = CallCount();
    EXPECT_EQ(key.OpenRoot(row.root, row.machine), 0);
    EXPECT_EQ(key.lastError, row.error);
    EXPECT_EQ(key.rootKey, nullptr);
    EXPECT_EQ(key.rootOpen, 0);
    EXPECT_EQ(key.CloseRoot(), ERROR_SUCCESS);
    ExpectCallsSince(before, 0);
  }
}

TEST_F(RegistryKeyTest, LocalRootsAreThePredefinedKeysWithoutACall) {
  struct Row {
    int root;
    HKEY expected;
  } rows[] = {
      {RegistryKey::kLocalMachine, HKEY_LOCAL_MACHINE},
      {RegistryKey::kClassesRoot, HKEY_CLASSES_ROOT},
      {RegistryKey::kUsers, HKEY_USERS},
      {RegistryKey::kCurrentUser, HKEY_CURRENT_USER},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "root " << row.root);
    RegistryKey key;
    long before = CallCount();
    EXPECT_EQ(key.OpenRoot(row.root, nullptr), 1);
    ExpectCallsSince(before, 0);
    EXPECT_EQ(key.lastError, ERROR_SUCCESS);
    EXPECT_EQ(key.rootKey, row.expected);
    EXPECT_EQ(key.rootOpen, 1);
    EXPECT_STREQ(key.machineName, "\\\\.");
  }
}

TEST_F(RegistryKeyTest, MachineNamesGoToTheSystem) {
  struct Row {
    int root;
    const char* machine;
    int result;
    LONG error;
  } rows[] = {
      {RegistryKey::kLocalMachine, "OTHERMACHINE", 0, ERROR_BAD_NETPATH},
      {RegistryKey::kUsers, "\\\\OTHERMACHINE", 0, ERROR_BAD_NETPATH},
      {RegistryKey::kLocalMachine, "", 1, ERROR_SUCCESS},  // this machine
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.machine);
    RegistryKey key;
    EXPECT_EQ(key.OpenRoot(row.root, row.machine), row.result);
    EXPECT_EQ(key.lastError, row.error);
    EXPECT_EQ(key.rootOpen, row.result);
    if (row.result) {
      EXPECT_STREQ(key.machineName, row.machine);
    } else {
      EXPECT_EQ(key.rootKey, nullptr);
      EXPECT_STREQ(key.machineName, "");
    }
  }
}

TEST_F(RegistryKeyTest, UnknownModeOnlyClosesTheOpenSubKey) {
  ASSERT_TRUE(scratch.CreateKey(HKEY_LOCAL_MACHINE, kTestKey));
  RegistryKey key;
  ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
  for (int mode : {0, 4}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kRead), 1);
    HKEY previous = key.subKey;
    long before = CallCount();
    EXPECT_EQ(key.OpenSubKey(kTestKey, mode), 0);
    ExpectCallsSince(before, 1);  // the close, nothing else
    EXPECT_EQ(key.subKey, nullptr);
    EXPECT_EQ(key.lastError, ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(previous), ERROR_INVALID_HANDLE);
  }
  // With no subkey open, lastError is left as the last call set it.
  char buffer[8];
  key.QueryValue("Any", buffer, sizeof buffer, nullptr);
  ASSERT_EQ(key.lastError, ERROR_INVALID_HANDLE);
  EXPECT_EQ(key.OpenSubKey(kTestKey, 4), 0);
  EXPECT_EQ(key.lastError, ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeyTest, QueryValueAlwaysLeavesATextWithinTheBuffer) {
  const std::string stored = "C:\\Quillary\\Data";  // 17 bytes with its NUL
  ASSERT_TRUE(scratch.SetString(HKEY_LOCAL_MACHINE, kTestKey, "Base Path", stored));
  struct Row {
    const char* label;
    const char* name;
    DWORD bufferSize;
    const char* defaultText;
    const char* expected;
    LONG error;
  } rows[] = {
      {"stored", "Base Path", 64, nullptr, stored.c_str(), ERROR_SUCCESS},
      {"name in other case, default unused", "BASE PATH", 64, "D", stored.c_str(), ERROR_SUCCESS},
      {"exact fit", "Base Path", 17, nullptr, stored.c_str(), ERROR_SUCCESS},
      {"missing", "Nothing", 64, nullptr, "", ERROR_FILE_NOT_FOUND},
      {"missing, default", "Nothing", 64, "D:\\Fallback", "D:\\Fallback", ERROR_FILE_NOT_FOUND},
      {"default cut to the buffer", "Nothing", 4, "D:\\Fallback", "D:\\", ERROR_FILE_NOT_FOUND},
      {"one byte short", "Base Path", 16, nullptr, "", ERROR_MORE_DATA},
      {"short, default", "Base Path", 8, "D:\\F", "D:\\F", ERROR_MORE_DATA},
  };
  RegistryKey key;
  ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
  ASSERT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kRead), 1);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    char buffer[80];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(key.QueryValue(row.name, buffer, row.bufferSize, row.defaultText), 1);
    EXPECT_EQ(key.lastError, row.error);
    EXPECT_STREQ(buffer, row.expected);
    EXPECT_EQ(std::string(buffer + row.bufferSize, sizeof buffer - row.bufferSize),
              std::string(sizeof buffer - row.bufferSize, 'Z'));
  }
}

TEST_F(RegistryKeyTest, QueryValueTerminatesWhatTheRegistryDoesNot) {
  struct Row {
    const char* label;
    DWORD type;
    const char* bytes;
    DWORD size;
    DWORD bufferSize;
    const char* expected;
  } rows[] = {
      {"bytes without a NUL", REG_BINARY, "abc", 3, 8, "abc"},
      {"bytes filling the buffer", REG_BINARY, "abcd", 4, 4, "abc"},
      {"text stored without its NUL", REG_SZ, "abc", 3, 8, "abc"},
      {"empty text of no bytes", REG_SZ, "", 0, 8, ""},
#ifndef _WIN32
      // Wine hands such a text back with a NUL added, so it no longer fits.
      {"text without NUL filling the buffer", REG_SZ, "abcd", 4, 4, "abc"},
#endif
  };
  int number = 0;
  for (const Row& row : rows) {
    std::string name = "Raw" + std::to_string(number++);
    ASSERT_TRUE(scratch.SetBytes(HKEY_LOCAL_MACHINE, kTestKey, name.c_str(), row.type, row.bytes,
                                 row.size));
  }
  RegistryKey key;
  ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
  ASSERT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kRead), 1);
  number = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string name = "Raw" + std::to_string(number++);
    char buffer[16];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(key.QueryValue(name.c_str(), buffer, row.bufferSize, "default"), 1);
    EXPECT_EQ(key.lastError, ERROR_SUCCESS);
    EXPECT_STREQ(buffer, row.expected);
    EXPECT_EQ(buffer[row.bufferSize], 'Z');
  }
}

TEST_F(RegistryKeyTest, SecondOpenRootClosesTheFirstsKeys) {
  ASSERT_TRUE(scratch.CreateKey(HKEY_LOCAL_MACHINE, kTestKey));
  ASSERT_TRUE(scratch.CreateKey(HKEY_CURRENT_USER, kTestKey));
  RegistryKey key;
  ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
  ASSERT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kRead), 1);
  HKEY first = key.subKey;
  EXPECT_EQ(key.OpenRoot(RegistryKey::kCurrentUser, nullptr), 1);
  EXPECT_EQ(key.subKey, nullptr);
  EXPECT_EQ(key.rootKey, HKEY_CURRENT_USER);
  EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);

  // A failed one leaves nothing open either.
  ASSERT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kRead), 1);
  first = key.subKey;
  EXPECT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, "OTHERMACHINE"), 0);
  EXPECT_EQ(key.subKey, nullptr);
  EXPECT_EQ(key.rootKey, nullptr);
  EXPECT_EQ(key.rootOpen, 0);
  EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeyTest, DestructionClosesTheSubKey) {
  ASSERT_TRUE(scratch.CreateKey(HKEY_LOCAL_MACHINE, kTestKey));
  HKEY left = nullptr;
  {
    RegistryKey key;
    ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);
    ASSERT_EQ(key.OpenSubKey(kTestKey, RegistryKey::kRead), 1);
    left = key.subKey;
  }
  EXPECT_EQ(RegCloseKey(left), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeyTest, CreateReadWriteAndClose) {
  ASSERT_TRUE(scratch.CreateKey(HKEY_LOCAL_MACHINE, kTestKey));
  const std::string path = std::string(kTestKey) + "\\Created";
  RegistryKey key;
  ASSERT_EQ(key.OpenRoot(RegistryKey::kLocalMachine, nullptr), 1);

  EXPECT_EQ(key.OpenSubKey(path.c_str(), RegistryKey::kRead), 0);
  EXPECT_EQ(key.lastError, ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key.subKey, nullptr);

  ASSERT_EQ(key.OpenSubKey(path.c_str(), RegistryKey::kCreate), 1);
  scratch.RemoveAtEnd(HKEY_LOCAL_MACHINE, path);
  EXPECT_STREQ(key.subKeyPath, path.c_str());
  EXPECT_EQ(RegSetValueExA(key.subKey, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2),
            ERROR_SUCCESS);

  ASSERT_EQ(key.OpenSubKey(path.c_str(), RegistryKey::kReadWrite), 1);
  char buffer[8];
  key.QueryValue("V", buffer, sizeof buffer, nullptr);
  EXPECT_STREQ(buffer, "x");
  EXPECT_EQ(key.CloseSubKey(), ERROR_SUCCESS);
  EXPECT_EQ(key.subKey, nullptr);
  EXPECT_EQ(key.CloseSubKey(), ERROR_SUCCESS);
  EXPECT_EQ(key.CloseRoot(), ERROR_SUCCESS);
  EXPECT_EQ(key.rootKey, nullptr);
  EXPECT_EQ(key.CloseRoot(), ERROR_SUCCESS);
}

}  // namespace
