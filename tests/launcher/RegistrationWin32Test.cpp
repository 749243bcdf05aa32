// Snaplet.exe /register and /unregister under Wine, copied into a folder
// whose name holds a blank: the manifests in %LOCALAPPDATA%\Quillary and the
// keys under HKEY_CURRENT_USER of the build tree's prefix; another program's
// keys stay.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "testing/HostProcess.h"
#include "tests/launcher/ExpectedManifest.h"

namespace {

const char* const kKeys[] = {
    "Software\\Google\\Chrome\\NativeMessagingHosts\\quillary.snaplet",
    "Software\\Microsoft\\Edge\\NativeMessagingHosts\\quillary.snaplet",
    "Software\\Chromium\\NativeMessagingHosts\\quillary.snaplet",
    "Software\\Mozilla\\NativeMessagingHosts\\quillary.snaplet",
};
const char kOtherHost[] = "Software\\Mozilla\\NativeMessagingHosts\\com.example.other";
const char kOtherManifest[] = "C:\\Other\\host.json";

// The key's default value; "-" when there is no such key, "" without a value.
std::string KeyValue(const char* key) {
  char value[MAX_PATH] = "";
  LONG size = sizeof value;
  return RegQueryValueA(HKEY_CURRENT_USER, key, value, &size) == ERROR_SUCCESS ? value : "-";
}

void SetKey(const char* key, const std::string& value) {
  RegSetValueA(HKEY_CURRENT_USER, key, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

std::string Environment(const char* name) {
  char value[MAX_PATH] = "";
  GetEnvironmentVariableA(name, value, sizeof value);
  return value;
}

class HostRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* key : kKeys) RegDeleteKeyA(HKEY_CURRENT_USER, key);
    folder_ = Environment("TEMP") + "\\Quillary Test";
    program_ = folder_ + "\\Snaplet.exe";
    std::string built = QC_SNAPLET_PROGRAM;
    CreateDirectoryA(folder_.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(built.c_str(), program_.c_str(), FALSE));
  }

  void TearDown() override {
    for (const char* key : kKeys) RegDeleteKeyA(HKEY_CURRENT_USER, key);
    RegDeleteKeyA(HKEY_CURRENT_USER, kOtherHost);
    DeleteFileA(program_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  int Snaplet(const char* argument) {
    return host_process::RunHost(program_, {argument}, "", host_process::StartStyle::kDirect, 30000)
        .exitCode;
  }

  std::string folder_, program_;
};

TEST_F(HostRegistration, RegisterWritesTheManifestsAndKeysAndUnregisterLeavesAnotherProgramsKeys) {
  const std::string manifests = Environment("LOCALAPPDATA") + "\\Quillary";
  const std::string chromium = manifests + "\\quillary.snaplet-chromium.json";
  const std::string firefox = manifests + "\\quillary.snaplet-firefox.json";
  SetKey(kOtherHost, kOtherManifest);

  FILETIME written{};
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    ASSERT_EQ(Snaplet("/register"), 0);
    EXPECT_EQ(ReadAll(chromium), ExpectedManifest("chromium", program_));
    EXPECT_EQ(ReadAll(firefox), ExpectedManifest("firefox", program_));
    for (const char* key : kKeys) {
      EXPECT_EQ(KeyValue(key), key == kKeys[3] ? firefox : chromium) << key;
    }
    // The second run rewrites nothing.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    GetFileAttributesExA(chromium.c_str(), GetFileExInfoStandard, &attributes);
    if (run == 2) {
      EXPECT_EQ(CompareFileTime(&written, &attributes.ftLastWriteTime), 0);
    }
    written = attributes.ftLastWriteTime;
  }

  // Another program has since taken Edge's key.
  SetKey(kKeys[1], kOtherManifest);
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    ASSERT_EQ(Snaplet("/unregister"), 0);
    EXPECT_EQ(KeyValue(kKeys[1]), kOtherManifest);
    EXPECT_EQ(KeyValue(kOtherHost), kOtherManifest);
    for (const char* key : {kKeys[0], kKeys[2], kKeys[3]}) EXPECT_EQ(KeyValue(key), "-") << key;
    // What registration made for Chromium alone went whole.
    EXPECT_EQ(KeyValue("Software\\Chromium"), "-");
    EXPECT_EQ(GetFileAttributesA(manifests.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

}  // namespace
