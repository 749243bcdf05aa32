// Install on texts the browser would not write itself: roots that already
// hold the folder, members we do not know, damaged files, CR LF files, ids
// at their end, a random source that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "installer/chromium/StoreScan.h"
#include "tests/chromium/StoreTestSupport.h"

namespace {

using installer::chromium::InstallResult;
using installer::chromium::StoreStatus;
using namespace store_test;

std::string Write(const Json& document) { return bookmarks_tree::WriteJson(document, "\n"); }

Json ProductFolder(const std::string& directory, const std::string& id) {
  Json folder = Parse(R"({"children": [], "id": "", "name": "Quillary", "type": "folder"})");
  folder["id"] = id;
  for (const char* file : {"save.qyv", "quick.kyv", "Quillary.htm"}) {
    Json link = Parse(R"({"id": "", "name": "x", "type": "url"})");
    link["id"] = id + file;
    link["url"] = directory + file;
    folder["children"].push_back(link);
  }
  return folder;
}

TEST(StoreInstall, LeavesARootThatHoldsTheFolderAsItIs) {
  struct Case {
    const char* name;
    const char* root;  // which root gets a folder beforehand
    Json folder;
    int expectedAdded;
  };
  Json withMore = ProductFolder("file:///D:/old/", "90");
  withMore["children"].push_back(
      Parse(R"({"id": "99", "name": "mine", "type": "url", "url": "https://a/"})"));
  Json lacking = ProductFolder("file:///D:/old/", "90");
  lacking["children"].erase(1);
  Json nested = Parse(R"({"children": [], "id": "80", "name": "Sub", "type": "folder"})");
  nested["children"].push_back(ProductFolder("file:///D:/old/", "90"));
  const std::vector<Case> cases = {
      {"other directory in the bar", "bookmark_bar", ProductFolder("file:///D:/old/", "90"), 1},
      {"in other bookmarks", "other", ProductFolder("FILE://server/share/", "90"), 1},
      {"holding the links and more", "other", withMore, 1},
      {"lacking a link counts as none", "other", lacking, 2},
      {"deeper down counts as none", "bookmark_bar", nested, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Json document = Parse(DataFile("everyday.json"));
    auto& children = document["roots"][c.root]["children"];
    children.insert(children.begin() + 1, c.folder);
    std::string text = Write(document);
    InstallResult installed = installer::chromium::Install(text, "/opt/q/", RepeatableSource());
    ASSERT_EQ(installed.status, StoreStatus::kDone);
    EXPECT_EQ(installed.addedFolders, c.expectedAdded);
    Json after = Parse(installed.Text());
    EXPECT_EQ(after["roots"][c.root]["children"][c.expectedAdded == 2 ? 2 : 1], c.folder);
    const std::string installedText = installed.Text();
    InstallResult again =
        installer::chromium::Install(installedText, "/opt/q/", RepeatableSource(3));
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(again.Text(), installed.Text());
  }
}

// Members and roots the store does not know keep their place and value;
// so do numbers, booleans and null; only the new folders and the checksum
// differ.
TEST(StoreInstall, KeepsUnknownMembersInTheirOrder) {
  std::string text = DataFile("unknown-members.json");
  ASSERT_FALSE(text.empty());
  InstallResult installed = installer::chromium::Install(text, "/opt/q/", RepeatableSource());
  ASSERT_EQ(installed.status, StoreStatus::kDone);
  ASSERT_EQ(installed.addedFolders, 2);
  Json before = Parse(text);
  Json after = Parse(installed.Text());
  after["roots"]["bookmark_bar"]["children"].erase(0);
  after["roots"]["other"]["children"].erase(0);
  EXPECT_NE(after["checksum"], before["checksum"]);
  after["checksum"] = before["checksum"];
  // dump() of an ordered value shows member order too.
  EXPECT_EQ(after.dump(), before.dump());
  const std::string installedText = installed.Text();
  installer::chromium::RemovalResult removed = installer::chromium::Remove(installedText);
  Json back = Parse(removed.Text());
  back["checksum"] = before["checksum"];
  EXPECT_EQ(back.dump(), before.dump());
}

TEST(StoreInstall, AddsAMissingChecksumFirstAndKeepsSha256Right) {
  Json document = Parse(DataFile("emptied.json"));
  document.erase("checksum");
  document["checksum_sha256"] = "stale";
  const std::string text = Write(document);
  InstallResult installed = installer::chromium::Install(text, "/opt/q/", RepeatableSource());
  ASSERT_EQ(installed.status, StoreStatus::kDone);
  Json after = Parse(installed.Text());
  EXPECT_EQ(after.begin().key(), "checksum");
  EXPECT_EQ(after["checksum"], TreeChecksum(after));
  EXPECT_NE(after["checksum_sha256"], "stale");
  EXPECT_EQ(after["checksum_sha256"].get<std::string>().size(), 64u);

  // The digests of the emptied tree, worked out apart from our code (the
  // MD5 is the browser's own).
  const std::string installedText = installed.Text();
  installer::chromium::RemovalResult removed = installer::chromium::Remove(installedText);
  EXPECT_EQ(Parse(removed.Text())["checksum_sha256"],
            "816957e7f60e49d8be40cb6732a63005d015a112a01631e9070a25005d1f2dc6");
  EXPECT_EQ(Parse(removed.Text())["checksum"], "1e54fbb25d92a354f7aeaf576726429e");
}

// However a program saved the browser's file, the install keeps every byte
// of it and the removal gives it back whole; the new folders take the
// file's line end.
TEST(StoreInstall, KeepsHowTheFileWasSaved) {
  const std::string text = DataFile("everyday.json");
  const std::string mark = "\xEF\xBB\xBF";
  std::string crlf;
  for (char c : text) {
    if (c == '\n') {
      crlf.push_back('\r');
    }
    crlf.push_back(c);
  }
  struct Case {
    const char* name;
    std::string saved;
    bool crlfLines;
  };
  const std::vector<Case> cases = {
      {"CR LF line ends", crlf, true},
      {"a byte-order mark", mark + text, false},
      {"a byte-order mark and CR LF", mark + crlf, true},
      // With no line end to take, the target's own.
      {"on one line, as another program writes it", Parse(text).dump(),
       installer::chromium::LineEndOf("") == std::string_view("\r\n")},
  };
  const std::string plainInstall = [&] {
    return installer::chromium::Install(text, "/opt/q/", RepeatableSource()).Text();
  }();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstallResult installed = installer::chromium::Install(c.saved, "/opt/q/", RepeatableSource());
    ASSERT_EQ(installed.status, StoreStatus::kDone);
    const std::string installedText = installed.Text();
    EXPECT_EQ(installedText.compare(0, 3, mark) == 0, c.saved.compare(0, 3, mark) == 0);
    size_t lone = 0;
    size_t pairs = 0;
    for (size_t i = 0; i < installedText.size(); ++i) {
      bool afterCr = i > 0 && installedText[i - 1] == '\r';
      lone += installedText[i] == '\n' && !afterCr;
      pairs += installedText[i] == '\n' && afterCr;
    }
    EXPECT_EQ(lone == 0, c.crlfLines);
    EXPECT_EQ(pairs > 0, c.crlfLines);
    EXPECT_EQ(Parse(installedText.substr(c.saved.compare(0, 3, mark) == 0 ? 3 : 0)),
              Parse(plainInstall));
    EXPECT_EQ(installer::chromium::Remove(installedText).Text(), c.saved);
  }
}

TEST(StoreInstall, RefusesWhatIsNoStoreFile) {
  struct Case {
    const char* name;
    std::string text;
    StoreStatus expected;
  };
  std::string deep =
      R"({"roots": {"bookmark_bar": {"children": []}, "other": {"children": []}}, "x": )" +
      std::string(199, '[') + std::string(199, ']') + "}";
  std::string tooDeep =
      R"({"roots": {"bookmark_bar": {"children": []}, "other": {"children": []}}, "x": )" +
      std::string(200, '[') + std::string(200, ']') + "}";
  std::string truncated = DataFile("everyday.json");
  truncated.resize(truncated.size() / 2);
  const std::vector<Case> cases = {
      {"empty", "", StoreStatus::kNotJson},
      {"html", "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n", StoreStatus::kNotJson},
      {"truncated", truncated, StoreStatus::kNotJson},
      {"trailing comma",
       R"({"roots": {"bookmark_bar": {"children": []}, "other": {"children": []},}})",
       StoreStatus::kNotJson},
      {"text after the object", DataFile("emptied.json") + "x", StoreStatus::kNotJson},
      {"invalid UTF-8",
       "{\"roots\": {\"bookmark_bar\": {\"children\": [], \"name\": \"\xC3\"}, "
       "\"other\": {\"children\": []}}}",
       StoreStatus::kNotJson},
      {"an array", "[]", StoreStatus::kNotJson},
      {"a lone surrogate escape",
       R"({"roots": {"bookmark_bar": {"children": [], "name": "\udd16"}, "other": {"children": []}}})",
       StoreStatus::kNotJson},
      {"a NUL byte after the object", DataFile("emptied.json") + std::string(1, '\0'),
       StoreStatus::kNotJson},
      {"too deep", tooDeep, StoreStatus::kNotJson},
      {"no roots", R"({"version": 1})", StoreStatus::kMissingRoots},
      {"roots no object", R"({"roots": []})", StoreStatus::kMissingRoots},
      {"no bookmark_bar", R"({"roots": {"other": {"children": []}, "synced": {"children": []}}})",
       StoreStatus::kMissingRoots},
      {"no other", R"({"roots": {"bookmark_bar": {"children": []}}})", StoreStatus::kMissingRoots},
      {"bar without children", R"({"roots": {"bookmark_bar": {}, "other": {"children": []}}})",
       StoreStatus::kMissingRoots},
      {"children no list",
       R"({"roots": {"bookmark_bar": {"children": {}}, "other": {"children": []}}})",
       StoreStatus::kMissingRoots},
      {"nested as deep as the browser reads", deep, StoreStatus::kDone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InstallResult installed = installer::chromium::Install(c.text, "/opt/q/", RepeatableSource());
    EXPECT_EQ(installed.status, c.expected);
    EXPECT_EQ(installed.changed, c.expected == StoreStatus::kDone);
    EXPECT_EQ(installer::chromium::Remove(c.text).status, c.expected);
  }
}

TEST(StoreInstall, NewIdsAndGuids) {
  Json document = Parse(DataFile("emptied.json"));
  Json node = Parse(R"({"guid": "", "id": "", "name": "n", "type": "url", "url": "https://a/"})");
  struct Case {
    const char* name;
    std::string highestId;
    installer::chromium::RandomSource random;
    StoreStatus expected;
  };
  auto zeros = [](unsigned char* buffer, size_t size) {
    std::fill(buffer, buffer + size, 0);
    return true;
  };
  const std::vector<Case> cases = {
      {"ids go on above the highest", "9223372036854775799", RepeatableSource().randomBytes,
       StoreStatus::kDone},
      {"no id left", "9223372036854775800", RepeatableSource().randomBytes, StoreStatus::kNoFreeId},
      {"ids past the browser's are no ids", "99999999999999999999", RepeatableSource().randomBytes,
       StoreStatus::kDone},
      {"a random source that fails", "7", [](unsigned char*, size_t) { return false; },
       StoreStatus::kSystemFailure},
      {"a random source that repeats itself", "7", zeros, StoreStatus::kSystemFailure},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Json input = document;
    node["id"] = c.highestId;
    node["guid"] = "00000000-0000-4000-8000-000000000001";
    input["roots"]["synced"]["children"] = Json::array({node});
    const std::string text = Write(input);
    InstallResult installed = installer::chromium::Install(text, "/opt/q/", {kFixedNow, c.random});
    EXPECT_EQ(installed.status, c.expected);
    if (c.expected == StoreStatus::kDone) {
      std::string duplicate;
      EXPECT_TRUE(IdsAndGuidsUnique(Parse(installed.Text()), &duplicate)) << duplicate;
    } else {
      EXPECT_TRUE(installed.Text().empty());
    }
  }
}

TEST(StoreFormat, IsChromiumBookmarksByTheFirstByte) {
  EXPECT_TRUE(installer::chromium::IsChromiumBookmarks("{"));
  EXPECT_TRUE(installer::chromium::IsChromiumBookmarks(" \r\n\t\n{\"roots\""));
  EXPECT_FALSE(installer::chromium::IsChromiumBookmarks(""));
  EXPECT_FALSE(installer::chromium::IsChromiumBookmarks(" \r\n"));
  EXPECT_FALSE(installer::chromium::IsChromiumBookmarks("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n{"));
  // A byte-order mark, as a text editor saves one, comes before the judging.
  EXPECT_TRUE(installer::chromium::IsChromiumBookmarks("\xEF\xBB\xBF{"));
  EXPECT_TRUE(installer::chromium::IsChromiumBookmarks("\xEF\xBB\xBF \r\n{"));
  EXPECT_FALSE(installer::chromium::IsChromiumBookmarks("\xEF\xBB\xBF"));
  EXPECT_FALSE(installer::chromium::IsChromiumBookmarks("\xEF\xBB{"));
  EXPECT_FALSE(
      installer::chromium::IsChromiumBookmarks("\xEF\xBB\xBF<!DOCTYPE NETSCAPE-Bookmark-file-1>"));
  EXPECT_FALSE(installer::chromium::IsChromiumBookmarks(std::string("\0{", 2)));
}

}  // namespace
