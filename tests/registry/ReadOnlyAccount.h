// POSIX: makes the scratch hive one that this process may read but not
// write, as for an account without write rights. Root is not stopped by
// permission bits, so a test run as root takes the ids of "nobody" until the
// object ends.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <string>

class ReadOnlyAccount {
 public:
  explicit ReadOnlyAccount(const std::string& hivePath) : hive(hivePath) {
    std::string directory = hive.substr(0, hive.find_last_of('/'));
    chmod(directory.c_str(), 0755);
    chmod(hive.c_str(), 0444);
    if (geteuid() != 0) {
      active = true;
    } else if (setegid(kNobody) == 0 && seteuid(kNobody) == 0) {
      switched = active = true;
    } else {
      if (setegid(0) != 0) _exit(3);
      reason = "running as root, and the ids of an ordinary account cannot be taken here";
    }
  }
  ~ReadOnlyAccount() {
    if (switched) {
      if (seteuid(0) != 0 || setegid(0) != 0) _exit(3);  // the rest would run as nobody
    }
    chmod(hive.c_str(), 0644);
  }
  ReadOnlyAccount(const ReadOnlyAccount&) = delete;
  ReadOnlyAccount& operator=(const ReadOnlyAccount&) = delete;

  bool active = false;
  std::string reason;

 private:
  static constexpr uid_t kNobody = 65534;
  std::string hive;
  bool switched = false;
};
