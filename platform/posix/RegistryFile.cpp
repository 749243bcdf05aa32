#include "platform/posix/RegistryFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace registry {

namespace {

std::string DirName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// The effective ids decide, as they decide what open() will allow.
bool Writable(const std::string& path) {
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string HivePath() {
  const char* file = std::getenv("QC_REGISTRY_FILE");
  if (file && *file) return file;
  const char* home = std::getenv("HOME");
  if (!home || !*home) {
    const passwd* user = getpwuid(getuid());
    home = user && user->pw_dir ? user->pw_dir : ".";
  }
  return std::string(home) + "/.quillary/registry.reg";
}

bool MayWriteHive() {
  std::string path = HivePath();
  std::string dir = DirName(path);
  if (Exists(path)) return Writable(path) && Writable(dir);
  if (Exists(dir)) return Writable(dir);
  return Writable(DirName(dir));
}

LONG LoadHive(Hive* hive) {
  *hive = Hive();
  FILE* file = std::fopen(HivePath().c_str(), "rb");
  if (!file) {
    if (errno == ENOENT || errno == ENOTDIR) return ERROR_SUCCESS;
    return errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_CANTREAD;
  }
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return ERROR_CANTREAD;
  if (text.empty()) return ERROR_SUCCESS;
  return ParseHive(text, hive) ? ERROR_SUCCESS : ERROR_BADDB;
}

LONG SaveHive(const Hive& hive) {
  if (!MayWriteHive()) return ERROR_ACCESS_DENIED;
  std::string path = HivePath();
  std::string dir = DirName(path);
  if (!Exists(dir) && mkdir(dir.c_str(), 0777) != 0) return ERROR_CANTWRITE;

  std::string temp = path + ".XXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) return ERROR_CANTWRITE;
  // The file keeps its permission bits; a new one gets those open() would give.
  struct stat old;
  mode_t mode;
  if (stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, FormatHive(hive)) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && rename(temp.c_str(), path.c_str()) == 0) return ERROR_SUCCESS;
  unlink(temp.c_str());
  return ERROR_CANTWRITE;
}

}  // namespace registry
