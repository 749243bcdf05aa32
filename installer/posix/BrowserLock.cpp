// The browser's instance lock on POSIX: the symbolic link "SingletonLock"
// with the text "<host name>-<process id>", in User Data.
#include "installer/BrowserLock.h"

#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <string>

namespace installer {

namespace {

// The directory above `path`, by its text alone: the browser finds a
// profile by its name under User Data, so the lock of a profile directory
// that is a symbolic link lies beside the link, not beside its target.
std::string Parent(std::string path) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  if (path == "/") {
    return path;
  }
  size_t slash = path.rfind('/');
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (last == "." || last == "..") {
    return path + "/..";
  }
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The process id at the end of the lock's text, when it is one; the host
// name may hold '-' itself.
bool SplitLock(const std::string& text, std::string* host, pid_t* pid) {
  size_t dash = text.rfind('-');
  if (dash == std::string::npos || dash + 1 == text.size()) {
    return false;
  }
  long long value = 0;
  for (size_t i = dash + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') {
      return false;
    }
    value = value * 10 + (c - '0');
    if (value > INT_MAX) {
      return false;
    }
  }
  // Process ids start at 1; kill() takes 0 and below for process groups.
  if (value <= 0) {
    return false;
  }
  *host = text.substr(0, dash);
  *pid = static_cast<pid_t>(value);
  return true;
}

// Whether the lock in `userData` names a browser that may run.
bool LockIn(const std::string& userData) {
  std::string lock = userData + "/SingletonLock";
  char target[PATH_MAX];
  ssize_t length = readlink(lock.c_str(), target, sizeof target);
  if (length < 0) {
    return errno != ENOENT && errno != ENOTDIR;
  }
  if (static_cast<size_t>(length) == sizeof target) {
    return true;  // cut short: no text the browser writes
  }
  std::string host;
  pid_t pid = 0;
  if (!SplitLock(std::string(target, static_cast<size_t>(length)), &host, &pid)) {
    return true;
  }
  char thisHost[HOST_NAME_MAX + 1] = {};
  if (gethostname(thisHost, sizeof thisHost - 1) != 0 || host != thisHost) {
    return true;
  }
  return kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

bool BrowserHoldsProfile(const char* bookmarkPath) {
  if (bookmarkPath == nullptr || bookmarkPath[0] == '\0') {
    return false;
  }
  std::string profile = Parent(bookmarkPath);
  return LockIn(profile) || LockIn(Parent(profile));
}

}  // namespace installer
