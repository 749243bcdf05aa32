// The stand-in's hive file: where it is, what is written to it, and who may
// change it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Win32Api.h"
#include "testing/RegistryScratch.h"
#include "tests/registry/ReadOnlyAccount.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

LONG SetValue(HKEY root, const char* path, const char* name, DWORD type, const std::string& data) {
  HKEY key = nullptr;
  LONG error = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                               nullptr, &key, nullptr);
  if (error != ERROR_SUCCESS) return error;
  error = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return error;
}

std::string QueryText(HKEY root, const char* path, const char* name, LONG* error) {
  HKEY key = nullptr;
  *error = RegOpenKeyExA(root, path, 0, KEY_READ, &key);
  if (*error != ERROR_SUCCESS) return "";
  char text[64] = {};
  DWORD size = sizeof text - 1;
  *error = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return text;
}

class RegistryFileTest : public ::testing::Test {
 protected:
  RegistryScratch scratch;
};

TEST_F(RegistryFileTest, ChangesAreWrittenAsRegeditText) {
  const char clsid[] = "CLSID\\{65F9375D-5F5F-11D1-B67C-008029E43217}\\InprocServer32";
  ASSERT_EQ(
      SetValue(HKEY_CLASSES_ROOT, clsid, nullptr, REG_SZ, std::string("/opt/q/meter.so\0", 16)),
      ERROR_SUCCESS);
  ASSERT_EQ(
      SetValue(HKEY_CLASSES_ROOT, clsid, "ThreadingModel", REG_SZ, std::string("Apartment\0", 10)),
      ERROR_SUCCESS);
  ASSERT_EQ(SetValue(HKEY_LOCAL_MACHINE, "Software\\Ortwell\\Brackel\\4.0", "Base Path", REG_SZ,
                     std::string("C:\\Program Files\\\"Q\"\0", 21)),
            ERROR_SUCCESS);
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, "Software\\QcTest", "Count", REG_DWORD,
                     std::string("\x2a\0\0\0", 4)),
            ERROR_SUCCESS);
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, "Software\\QcTest", "Raw", REG_SZ, "abc"), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(scratch.hivePath()), ReadFile(QC_REGISTRY_TEST_DATA "/written.reg"));
}

TEST_F(RegistryFileTest, EveryCallReadsTheFileAfresh) {
  WriteFile(scratch.hivePath(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Q]\n\"V\"=\"one\"\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\q", 0, KEY_READ, &key), ERROR_SUCCESS);
  WriteFile(scratch.hivePath(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Q]\n\"V\"=\"two\"\n");
  char text[8] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "two");

  WriteFile(scratch.hivePath(), "REGEDIT4\n");
  EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
            ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryFileTest, UnreadableFileFailsEveryCallAndStaysAsItWas) {
  const std::string text = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\nnot a value\n";
  WriteFile(scratch.hivePath(), text);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_BADDB);
  EXPECT_EQ(SetValue(HKEY_CURRENT_USER, "Software\\QcTest", "V", REG_SZ, std::string("w\0", 2)),
            ERROR_BADDB);
  EXPECT_EQ(ReadFile(scratch.hivePath()), text);
}

TEST_F(RegistryFileTest, WithoutTheVariableTheHiveIsInHome) {
  const char* old = std::getenv("HOME");
  const std::string oldHome = old ? old : "";
  const std::string home = scratch.hivePath().substr(0, scratch.hivePath().rfind('/'));
  setenv("HOME", home.c_str(), 1);
  unsetenv("QC_REGISTRY_FILE");

  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, "Software\\QcTest", "V", REG_SZ, std::string("w\0", 2)),
            ERROR_SUCCESS);
  const std::string hive = home + "/.quillary/registry.reg";
  EXPECT_NE(ReadFile(hive).find("[HKEY_CURRENT_USER\\Software\\QcTest]\n\"V\"=\"w\"\n"),
            std::string::npos);

  unlink(hive.c_str());
  rmdir((home + "/.quillary").c_str());
  setenv("HOME", oldHome.c_str(), 1);
  setenv("QC_REGISTRY_FILE", scratch.hivePath().c_str(), 1);
}

TEST_F(RegistryFileTest, ReadOnlyHiveRefusesEveryChange) {
  ASSERT_EQ(SetValue(HKEY_LOCAL_MACHINE, "Software\\Q", "V", REG_SZ, std::string("w\0", 2)),
            ERROR_SUCCESS);
  const std::string before = ReadFile(scratch.hivePath());
  ReadOnlyAccount account(scratch.hivePath());
  if (!account.active) GTEST_SKIP() << account.reason;

  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Q", 0, KEY_READ | KEY_SET_VALUE, &key),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Q", 0, nullptr, 0, KEY_READ, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);  // it exists, and is only read
  RegCloseKey(key);
  EXPECT_EQ(SetValue(HKEY_LOCAL_MACHINE, "Software\\New", "V", REG_SZ, std::string("w\0", 2)),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(
      RegSetValueExA(HKEY_LOCAL_MACHINE, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>("w"), 2),
      ERROR_ACCESS_DENIED);
  LONG error = 0;
  EXPECT_EQ(QueryText(HKEY_LOCAL_MACHINE, "Software\\Q", "V", &error), "w");
  EXPECT_EQ(error, ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(scratch.hivePath()), before);
}

}  // namespace
