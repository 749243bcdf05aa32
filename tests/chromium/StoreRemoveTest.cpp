// Removal from a file the browser wrote after our install, changed the way
// a user changes it: which folder goes, which stays and why, and where the
// report says it stands.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/chromium/StoreTestSupport.h"

namespace {

using installer::chromium::RemovalResult;
using installer::chromium::StoreStatus;
using installer::shared::LeftAloneReason;
using namespace store_test;

Json& BarFolder(Json& document) { return document["roots"]["bookmark_bar"]["children"][0]; }
Json& BarLinks(Json& document) { return BarFolder(document)["children"]; }

TEST(StoreRemove, JudgesTheBarsFolderAsTheUserLeftIt) {
  struct Case {
    const char* name;
    std::function<void(Json&)> change;
    bool barFolderGoes;
    LeftAloneReason reason;
  };
  const Json anotherLink =
      Parse(R"({"id": "99", "name": "mine", "type": "url", "url": "https://example.com/"})");
  const std::vector<Case> cases = {
      {"as installed", [](Json&) {}, true, {}},
      {"links renamed and reordered",
       [](Json& d) {
         std::swap(BarLinks(d)[0], BarLinks(d)[2]);
         BarLinks(d)[1]["name"] = "Schnell speichern";
       },
       true,
       {}},
      {"members the browser adds later",
       [](Json& d) {
         BarLinks(d)[0]["meta_info"] = Parse(R"({"power_bookmark_meta": ""})");
         BarLinks(d)[0]["date_last_used"] = "13441239999999999";
         BarFolder(d)["date_modified"] = "13441239999999999";
       },
       true,
       {}},
      {"moved down the bar",
       [](Json& d) {
         auto& bar = d["roots"]["bookmark_bar"]["children"];
         std::swap(bar[0], bar[2]);
       },
       true,
       {}},
      {"a link added", [&](Json& d) { BarLinks(d).push_back(anotherLink); }, false,
       LeftAloneReason::kHoldsOtherEntries},
      {"a sub-folder added",
       [](Json& d) {
         BarLinks(d).push_back(
             Parse(R"({"children": [], "id": "98", "name": "s", "type": "folder"})"));
       },
       false, LeftAloneReason::kHoldsOtherEntries},
      {"a link twice", [](Json& d) { BarLinks(d).push_back(BarLinks(d)[0]); }, false,
       LeftAloneReason::kHoldsOtherEntries},
      {"a link taken out", [](Json& d) { BarLinks(d).erase(1); }, false,
       LeftAloneReason::kLacksProductLink},
      {"every link taken out", [](Json& d) { BarLinks(d) = Json::array(); }, false,
       LeftAloneReason::kLacksProductLink},
      {"a link pointed elsewhere",
       [](Json& d) { BarLinks(d)[2]["url"] = "https://example.com/Quillary.htm"; }, false,
       LeftAloneReason::kHoldsOtherEntries},
      {"links in two directories",
       [](Json& d) { BarLinks(d)[2]["url"] = "file:///D:/Quillary/Quillary.htm"; }, false,
       LeftAloneReason::kHoldsOtherEntries},
  };
  const std::string installed = DataFile("everyday.installed.json");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Json document = Parse(installed);
    c.change(document);
    std::string text = bookmarks_tree::WriteJson(document, "\n");
    RemovalResult removed = installer::chromium::Remove(text);
    ASSERT_EQ(removed.status, StoreStatus::kDone);
    EXPECT_TRUE(removed.changed);
    EXPECT_EQ(removed.removedFolders, c.barFolderGoes ? 2 : 1);
    Json after = Parse(removed.Text());
    EXPECT_EQ(after["checksum"], TreeChecksum(after));
    if (c.barFolderGoes) {
      EXPECT_TRUE(removed.leftAlone.empty());
      continue;
    }
    ASSERT_EQ(removed.leftAlone.size(), 1u);
    const installer::chromium::LeftAloneFolder& left = removed.leftAlone[0];
    EXPECT_EQ(left.root, "bookmark_bar");
    EXPECT_EQ(left.id, "16");
    EXPECT_EQ(left.reason, c.reason);
    // Written as the browser writes, the bar's first child opens on line 5.
    EXPECT_EQ(left.line, 5u);
    EXPECT_EQ(BarFolder(after), BarFolder(document));
  }
}

TEST(StoreRemove, LeavesEverythingButRootChildrenTitledQuillary) {
  struct Case {
    const char* file;
    int removed;
    size_t leftAlone;
  };
  // everyday.json holds a bookmark titled "Quillary"; user-quillary-folder.json
  // a folder of the user's titled so, holding a link to save.qyv.
  const std::vector<Case> cases = {
      {"everyday.json", 0, 0},
      {"emptied.json", 0, 0},
      {"user-quillary-folder.json", 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::string text = DataFile(c.file);
    RemovalResult removed = installer::chromium::Remove(text);
    EXPECT_EQ(removed.status, StoreStatus::kDone);
    EXPECT_FALSE(removed.changed);
    EXPECT_EQ(removed.Text(), text);
    EXPECT_EQ(removed.removedFolders, c.removed);
    EXPECT_EQ(removed.leftAlone.size(), c.leftAlone);
  }
}

TEST(StoreRemove, FolderDeeperDownStays) {
  Json document = Parse(DataFile("everyday.installed.json"));
  Json folder = BarFolder(document);
  document["roots"]["bookmark_bar"]["children"].erase(0);
  // Into "Arbeit & Büro", the bar's third child now.
  document["roots"]["bookmark_bar"]["children"][2]["children"].push_back(folder);
  const std::string text = bookmarks_tree::WriteJson(document, "\n");
  RemovalResult removed = installer::chromium::Remove(text);
  EXPECT_EQ(removed.removedFolders, 1);
  EXPECT_EQ(Parse(removed.Text())["roots"]["bookmark_bar"], document["roots"]["bookmark_bar"]);
}

// Every folder left in place is reported by its line, found in one sweep:
// thousands of them cost about what one does.
TEST(StoreRemove, ManyFoldersLeftInPlaceAreFoundAtOnce) {
  Json document = Parse(DataFile("everyday.installed.json"));
  Json changed = BarFolder(document);
  changed["children"].erase(0);
  Json& bar = document["roots"]["bookmark_bar"]["children"];
  const size_t kLeft = 8000;
  for (size_t i = 0; i < kLeft; ++i) {
    changed["id"] = std::to_string(1000 + i);
    bar.push_back(changed);
  }
  const std::string text = bookmarks_tree::WriteJson(document, "\n");
  auto start = std::chrono::steady_clock::now();
  RemovalResult removed = installer::chromium::Remove(text);
  auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(removed.status, StoreStatus::kDone);
  EXPECT_EQ(removed.removedFolders, 2);
  ASSERT_EQ(removed.leftAlone.size(), kLeft);
  // Written as the browser writes, one folder opens on the line where the
  // one before it closes.
  const std::string one = bookmarks_tree::WriteJson(changed, "\n");
  const size_t linesApart = static_cast<size_t>(std::count(one.begin(), one.end(), '\n')) - 1;
  for (size_t i = 1; i < kLeft; ++i) {
    ASSERT_EQ(removed.leftAlone[i].line - removed.leftAlone[i - 1].line, linesApart) << i;
    EXPECT_EQ(removed.leftAlone[i].reason, LeftAloneReason::kLacksProductLink);
  }
  // Counting lines from the top for each took minutes here.
  EXPECT_LT(seconds, 10.0);
}

}  // namespace
