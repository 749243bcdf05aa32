// Following the symbolic links of a bookmark path on POSIX.
#include "installer/RealFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

namespace installer {

namespace {

// As many links in a row as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

}  // namespace

RealFileOutcome FindRealFile(const char* path, char* realPath) {
  std::string current = path;
  for (int followed = 0;; ++followed) {
    struct stat info;
    if (lstat(current.c_str(), &info) != 0) {
      // Nothing there (yet): the path stands, and the run finds it missing.
      if (errno != ENOENT && errno != ENOTDIR) {
        return RealFileOutcome::kFailed;
      }
      break;
    }
    if (!S_ISLNK(info.st_mode)) {
      break;
    }
    if (followed == kMaxLinks) {
      return RealFileOutcome::kFailed;
    }
    char target[PATH_MAX];
    ssize_t length = readlink(current.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) == sizeof target) {
      return RealFileOutcome::kFailed;
    }
    std::string next(target, static_cast<size_t>(length));
    size_t slash = current.rfind('/');
    if (next[0] != '/' && slash != std::string::npos) {
      next = current.substr(0, slash + 1) + next;
    }
    current = next;
  }
  if (current.size() >= MAX_PATH) {
    return RealFileOutcome::kTooLong;
  }
  std::memcpy(realPath, current.c_str(), current.size() + 1);
  return RealFileOutcome::kFound;
}

}  // namespace installer
