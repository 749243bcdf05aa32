// The store on files a real Chromium wrote (data/, made by make-profiles.py
// and make-expected.py): read and written back to the byte, its checksum
// the browser's, install, second install, removal.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "tests/chromium/StoreTestSupport.h"

namespace {

using installer::chromium::StoreStatus;
using namespace store_test;

class BrowserFile : public testing::TestWithParam<const char*> {};

INSTANTIATE_TEST_SUITE_P(Chromium, BrowserFile,
                         testing::Values("everyday.json", "emptied.json",
                                         "user-quillary-folder.json", "everyday.installed.json"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           std::string name = info.param;
                           std::string test;
                           for (char c : name.substr(0, name.rfind('.'))) {
                             test.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
                           }
                           return test;
                         });

TEST_P(BrowserFile, WrittenBackByteForByte) {
  std::string text = DataFile(GetParam());
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(bookmarks_tree::WriteJson(Parse(text), "\n"), text);
}

TEST_P(BrowserFile, ChecksumIsTheBrowsers) {
  Json document = Parse(DataFile(GetParam()));
  EXPECT_EQ(TreeChecksum(document), document["checksum"].get<std::string>());
}

TEST_P(BrowserFile, InstallThenSecondInstallThenRemoval) {
  std::string text = DataFile(GetParam());
  installer::chromium::InstallResult installed =
      installer::chromium::Install(text, "/opt/Quillary Pro/", RepeatableSource());
  ASSERT_EQ(installed.status, StoreStatus::kDone);

  Json before = Parse(text);
  const std::string installedText = installed.Text();
  Json after = Parse(installedText);
  ASSERT_TRUE(after.is_object());
  EXPECT_EQ(after["checksum"].get<std::string>(), TreeChecksum(after));
  std::string duplicate;
  EXPECT_TRUE(IdsAndGuidsUnique(after, &duplicate)) << duplicate;
  // Every file but our own install lacks the folder in both roots.
  bool alreadyInstalled = std::string(GetParam()) == "everyday.installed.json";
  EXPECT_EQ(installed.addedFolders, alreadyInstalled ? 0 : 2);
  EXPECT_EQ(installed.changed, !alreadyInstalled);
  for (const char* root : {"bookmark_bar", "other"}) {
    const Json& children = after["roots"][root]["children"];
    ASSERT_FALSE(children.empty());
    EXPECT_TRUE(bookmarks_tree::IsProductFolder(children[0]));
    // Everything after the new folder is the root's list as it was.
    Json rest(children.begin() + (alreadyInstalled ? 0 : 1), children.end());
    EXPECT_EQ(rest, before["roots"][root]["children"]) << root;
  }

  installer::chromium::InstallResult again =
      installer::chromium::Install(installedText, "/elsewhere/", RepeatableSource(7));
  EXPECT_EQ(again.status, StoreStatus::kDone);
  EXPECT_FALSE(again.changed);
  EXPECT_EQ(again.addedFolders, 0);
  EXPECT_EQ(again.Text(), installed.Text());

  installer::chromium::RemovalResult removed = installer::chromium::Remove(installedText);
  EXPECT_EQ(removed.status, StoreStatus::kDone);
  EXPECT_TRUE(removed.changed);
  EXPECT_EQ(removed.removedFolders, 2);
  // The browser's own file comes back whole, its checksum included; from
  // the browser's rewrite of our install, the file it had before.
  EXPECT_EQ(removed.Text(), alreadyInstalled ? DataFile("everyday.json") : text);
}

// What the browser wrote after reading our install of everyday.json: the
// same bytes as our install gives, so its checksum for our tree is ours.
TEST(BrowserRewrite, OfOurInstallIsOurInstall) {
  const std::string everyday = DataFile("everyday.json");
  installer::chromium::InstallResult installed =
      installer::chromium::Install(everyday, kDriveCProductDir, RepeatableSource());
  ASSERT_EQ(installed.status, StoreStatus::kDone);
  EXPECT_EQ(installed.addedFolders, 2);
  EXPECT_EQ(installed.Text(), DataFile("everyday.installed.json"));
}

TEST(BrowserRewrite, InstalledFolderHasTheBrowsersShape) {
  Json document = Parse(DataFile("everyday.installed.json"));
  const Json& folder = document["roots"]["other"]["children"][0];
  const std::string date = std::to_string(kFixedNow);
  EXPECT_EQ(folder["name"], "Quillary");
  EXPECT_EQ(folder["type"], "folder");
  EXPECT_EQ(folder["date_added"], date);
  EXPECT_EQ(folder["date_modified"], date);
  EXPECT_EQ(folder["date_last_used"], "0");
  const char* expected[][2] = {{"Save", "file:///C:/Program%20Files/Quillary/save.qyv"},
                               {"QuickSave", "file:///C:/Program%20Files/Quillary/quick.kyv"},
                               {"Search", "file:///C:/Program%20Files/Quillary/Quillary.htm"}};
  ASSERT_EQ(folder["children"].size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const Json& link = folder["children"][i];
    EXPECT_EQ(link["name"], expected[i][0]);
    EXPECT_EQ(link["url"], expected[i][1]);
    EXPECT_EQ(link["type"], "url");
    EXPECT_EQ(link["date_added"], date);
    EXPECT_EQ(link["date_last_used"], "0");
    std::string guid = link["guid"];
    ASSERT_EQ(guid.size(), 36u);
    EXPECT_EQ(guid[14], '4') << guid;
    EXPECT_NE(std::string("89ab").find(guid[19]), std::string::npos) << guid;
  }
  // Ids follow the file's highest (15), the bar's folder first.
  EXPECT_EQ(document["roots"]["bookmark_bar"]["children"][0]["id"], "16");
  EXPECT_EQ(folder["id"], "20");
  EXPECT_EQ(folder["children"][2]["id"], "23");
}

}  // namespace
