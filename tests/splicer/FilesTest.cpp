// The file calls the splicer relies on, with the results and error codes
// Windows gives: the same tests run against the POSIX stand-in and, under
// Wine, against the system's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Win32Api.h"
#include "tests/splicer/SplicerTestSupport.h"

namespace {

using namespace splicer_test;

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The error of a CreateFileA that must fail, or 0 when it succeeded.
DWORD OpenError(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE file = Open(path, access, disposition);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return 0;
  }
  return GetLastError();
}

TEST(Files, OpenErrors) {
  std::string dir = FreshDirectory("files_open");
  PutFile(dir + "there.txt", "x");
  struct Row {
    const char* name;
    std::string path;
    DWORD access;
    DWORD disposition;
    DWORD error;
  };
  const Row rows[] = {
      {"missing file", dir + "missing.txt", GENERIC_READ, OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {"missing directory", dir + "none" + Separator() + "a.txt", GENERIC_READ, OPEN_EXISTING,
       ERROR_PATH_NOT_FOUND},
      {"create new over existing", dir + "there.txt", GENERIC_WRITE, CREATE_NEW, ERROR_FILE_EXISTS},
      {"directory", dir.substr(0, dir.size() - 1), GENERIC_READ, OPEN_EXISTING,
       ERROR_ACCESS_DENIED},
      {"existing file", dir + "there.txt", GENERIC_READ, OPEN_EXISTING, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(OpenError(row.path, row.access, row.disposition), row.error) << row.name;
  }
}

TEST(Files, CopyFailIfExistsNeverReplaces) {
  std::string dir = FreshDirectory("files_copy");
  PutFile(dir + "a", "new");
  PutFile(dir + "b", "kept");
  EXPECT_FALSE(CopyFileA((dir + "a").c_str(), (dir + "b").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(FileBytes(dir + "b"), "kept");

  EXPECT_FALSE(CopyFileA((dir + "missing").c_str(), (dir + "c").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_TRUE(CopyFileA((dir + "a").c_str(), (dir + "c").c_str(), TRUE));
  EXPECT_TRUE(CopyFileA((dir + "a").c_str(), (dir + "b").c_str(), FALSE));
  EXPECT_EQ(FileBytes(dir + "b"), "new");
  EXPECT_EQ(FileBytes(dir + "c"), "new");
  EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Files, MoveReplacesInOneStep) {
  std::string dir = FreshDirectory("files_move");
  PutFile(dir + "new", "new");
  PutFile(dir + "old", "old");
  EXPECT_FALSE(MoveFileExA((dir + "new").c_str(), (dir + "old").c_str(), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileExA((dir + "new").c_str(), (dir + "old").c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(FileBytes(dir + "old"), "new");
  EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"old"});
}

#ifndef _WIN32
TEST(Files, FullDiskIsReported) {
  HANDLE file = Open("/dev/full", GENERIC_WRITE, OPEN_EXISTING);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 1;
  EXPECT_FALSE(WriteFile(file, "x", 1, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(written, 0u);
  CloseHandle(file);
}
#endif

}  // namespace
