// The registry calls as the programs and the tests use them. The same cases
// run against the POSIX stand-in and against Wine's registry, so that the
// stand-in answers as the system does.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/Win32Api.h"
#include "testing/RegistryScratch.h"
#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

constexpr const char kTestKey[] = "Software\\QcRegistryTest";

class RegistryApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch.SetString(HKEY_CURRENT_USER, kTestKey, "Text", "abcd"));
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  }
  void TearDown() override { RegCloseKey(key); }

  RegistryScratch scratch;
  HKEY key = nullptr;
};

TEST_F(RegistryApiTest, QueryValueGivesTheSizeInAndOut) {
  struct Row {
    const char* label;
    bool withData;
    DWORD sizeIn;
    LONG error;
  } rows[] = {
      {"size only", false, 0, ERROR_SUCCESS},       {"no room", true, 0, ERROR_MORE_DATA},
      {"one byte short", true, 4, ERROR_MORE_DATA}, {"exact", true, 5, ERROR_SUCCESS},
      {"ample", true, 16, ERROR_SUCCESS},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    unsigned char buffer[32];
    std::memset(buffer, 'Z', sizeof buffer);
    DWORD type = 99, size = row.sizeIn;
    EXPECT_EQ(RegQueryValueExA(key, "TEXT", nullptr, &type, row.withData ? buffer : nullptr, &size),
              row.error);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    size_t written = row.error == ERROR_SUCCESS && row.withData ? 5 : 0;
    EXPECT_EQ(std::memcmp(buffer, "abcd", written), 0);
    size_t untouched = written ? written : row.sizeIn;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer) + untouched, sizeof buffer - untouched),
              std::string(sizeof buffer - untouched, 'Z'));
  }
}

TEST_F(RegistryApiTest, FailuresGiveTheSystemsCodes) {
  unsigned char buffer[8];
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, buffer, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, buffer, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "New", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2),
            ERROR_ACCESS_DENIED);  // opened for reading only

  HKEY other = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QcNoSuchKey", 0, KEY_READ, &other),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "\\Software", 0, KEY_READ, &other),
            ERROR_BAD_PATHNAME);

  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &other), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(other), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(other), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApiTest, KeyPathsAndNamesAreMatchedAsTheSystemMatchesThem) {
  const char* paths[] = {"software\\QCREGISTRYTEST", "Software\\QcRegistryTest\\",
                         "Software\\\\QcRegistryTest"};
  for (const char* path : paths) {
    SCOPED_TRACE(path);
    HKEY other = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &other), ERROR_SUCCESS);
    char text[8] = {};
    DWORD size = sizeof text;
    EXPECT_EQ(
        RegQueryValueExA(other, "text", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(text, "abcd");
    RegCloseKey(other);
  }
  HKEY same = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &same), ERROR_SUCCESS);
  EXPECT_EQ(same, HKEY_CURRENT_USER);
}

TEST_F(RegistryApiTest, DefaultValueAndDword) {
  HKEY writable = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_ALL_ACCESS, &writable),
            ERROR_SUCCESS);
  DWORD number = 0x12345678;
  ASSERT_EQ(RegSetValueExA(writable, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("dflt"), 5),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(writable, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                           sizeof number),
            ERROR_SUCCESS);
  RegCloseKey(writable);

  for (const char* name : {static_cast<const char*>(nullptr), ""}) {
    char text[8] = {};
    DWORD size = sizeof text;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, "dflt");
  }
  DWORD read = 0, type = 0, size = sizeof read;
  EXPECT_EQ(RegQueryValueExA(key, "Number", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(read, number);
}

TEST_F(RegistryApiTest, CreateTellsNewFromExisting) {
  const std::string path = std::string(kTestKey) + "\\Made";
  for (DWORD expected : {REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY}) {
    HKEY made = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &made, &disposition),
              ERROR_SUCCESS);
    if (expected == REG_CREATED_NEW_KEY) scratch.RemoveAtEnd(HKEY_CURRENT_USER, path);
    EXPECT_EQ(disposition, expected);
    RegCloseKey(made);
  }
  // A key with a subkey is not deleted.
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryApiTest, ConnectReachesOnlyThisMachine) {
  char own[256] = {};
#ifdef _WIN32
  DWORD length = sizeof own;
  ASSERT_TRUE(GetComputerNameA(own, &length));
#else
  ASSERT_EQ(gethostname(own, sizeof own - 1), 0);
#endif
  struct Row {
    const char* machine;
    LONG error;
  } rows[] = {
      {nullptr, ERROR_SUCCESS},
      {"", ERROR_SUCCESS},
      {own, ERROR_SUCCESS},
      {"OTHERMACHINE", ERROR_BAD_NETPATH},
      {"\\\\OTHERMACHINE", ERROR_BAD_NETPATH},
#ifndef _WIN32
      // The stand-in also takes the local machine's short names (Wine does not).
      {".", ERROR_SUCCESS},
      {"\\\\.", ERROR_SUCCESS},
#endif
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.machine ? row.machine : "(null)");
    HKEY connected = nullptr;
    EXPECT_EQ(RegConnectRegistryA(row.machine, HKEY_LOCAL_MACHINE, &connected), row.error);
    EXPECT_EQ(connected, row.error == ERROR_SUCCESS ? HKEY_LOCAL_MACHINE : nullptr);
  }
}

}  // namespace
