// The no-replace rename of file systems without RENAME_NOREPLACE, by a hard
// link and the old name's removal: the file moves whole, or both names stay
// as they were.
#include <errno.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/FileTestHooks.h"

namespace {

namespace fs = std::filesystem;

std::string failingName;  // the name whose removal the table refuses

int UnlinkRefusing(const char* path) {
  if (failingName == path) {
    errno = EBUSY;
    return -1;
  }
  return posix_files::DefaultSystemCalls().unlink(path);
}

TEST(RenameNoReplaceByLink, MovesWholeOrLeavesBothNamesAsTheyWere) {
  struct Row {
    const char* name;
    bool targetThere;
    bool oldNameStays;  // its removal is refused
    int result;
    int error;
  };
  const Row rows[] = {
      {"moves", false, false, 0, 0},
      {"refuses an existing target", true, false, -1, EEXIST},
      {"takes the new name back when the old one stays", false, true, -1, EBUSY},
  };
  const fs::path dir = fs::path(PLATFORM_WORK_DIR) / "rename_by_link";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string from = (dir / "from").string();
    const std::string to = (dir / "to").string();
    std::ofstream(from) << "moved";
    if (row.targetThere) std::ofstream(to) << "there";
    failingName = row.oldNameStays ? from : "";
    posix_files::systemCalls.unlink = UnlinkRefusing;
    errno = 0;
    int result = posix_files::RenameNoReplaceByLink(from.c_str(), to.c_str());
    int error = errno;
    posix_files::systemCalls = posix_files::DefaultSystemCalls();
    EXPECT_EQ(result, row.result);
    if (row.result != 0) {
      EXPECT_EQ(error, row.error);
    }
    EXPECT_EQ(fs::exists(from), row.result != 0);
    EXPECT_EQ(fs::exists(to), row.result == 0 || row.targetThere);
    if (row.result != 0 && row.targetThere) {
      std::ifstream in(to);
      std::string text;
      in >> text;
      EXPECT_EQ(text, "there");
    }
  }
  fs::remove_all(dir);
}

}  // namespace
