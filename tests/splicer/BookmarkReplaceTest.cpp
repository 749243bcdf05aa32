// How the spliced text takes the bookmark file's place: never over a file
// that may not be replaced, and never leaving a temporary file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Win32Api.h"
#include "tests/splicer/SplicerTestSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using namespace splicer_test;

const std::vector<std::string> kSplicedFiles = {"bkmk.qyr", "bookmark.htm", "prefs.js"};

std::string BaseCase(const std::string& name) {
  std::string dir = FreshDirectory(name);
  PutFile(dir + "bookmark.htm", Data("bookmark.htm"));
  PutFile(dir + "prefs.js", Data("prefs-work.js"));
  return dir;
}

void SetReadOnly(const std::string& path, bool readOnly) {
#ifdef _WIN32
  ASSERT_TRUE(
      SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
#else
  ASSERT_EQ(chmod(path.c_str(), readOnly ? 0444 : 0644), 0);
#endif
}

TEST(Replace, ReadOnlyBookmarkFileStaysAsItWas) {
  std::string dir = BaseCase("read_only");
  SetReadOnly(dir + "bookmark.htm", true);
  RunSplicer(dir + "bookmark.htm", ProductDir());
  SetReadOnly(dir + "bookmark.htm", false);
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), kSplicedFiles);
}

#ifdef _WIN32
HANDLE HoldOpen(const std::string& path, DWORD sharing) {
  return CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// As a running browser may hold it: readable and writable by others, but
// not to be deleted or renamed over.
TEST(Replace, FileHeldOpenWithoutDeleteSharingStaysAsItWas) {
  std::string dir = BaseCase("held_open");
  HANDLE held = HoldOpen(dir + "bookmark.htm", FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RunSplicer(dir + "bookmark.htm", ProductDir());
  CloseHandle(held);
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), kSplicedFiles);

  RunSplicer(dir + "bookmark.htm", ProductDir());
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
}

TEST(Replace, FileHeldExclusivelyStaysAsItWas) {
  std::string dir = BaseCase("held_exclusively");
  HANDLE held = HoldOpen(dir + "bookmark.htm", 0);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RunSplicer(dir + "bookmark.htm", ProductDir());
  CloseHandle(held);
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Data("bookmark.htm"));
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"bookmark.htm", "prefs.js"}));
}
#else
TEST(Replace, KeepsPermissionBits) {
  std::string dir = BaseCase("permission_bits");
  ASSERT_EQ(chmod((dir + "bookmark.htm").c_str(), 0640), 0);
  RunSplicer(dir + "bookmark.htm", ProductDir());
  EXPECT_EQ(FileBytes(dir + "bookmark.htm"), Expected("work.htm"));
  struct stat info;
  ASSERT_EQ(stat((dir + "bookmark.htm").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}
#endif

}  // namespace
