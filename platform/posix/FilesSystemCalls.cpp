// The one table of POSIX calls under the file functions, and what the
// functions share: handle encoding and the errno to Windows code mapping.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/posix/FilesInternal.h"

namespace posix_files {
namespace {

int SystemOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int SystemStat(const char* path, struct stat* info) { return ::stat(path, info); }

int SystemRenameNoReplace(const char* from, const char* to) {
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
    return -1;
  }
  return RenameNoReplaceByLink(from, to);
}

ssize_t SystemCopyFileRange(int in, int out, size_t count) {
  return ::copy_file_range(in, nullptr, out, nullptr, count, 0);
}

const SystemCalls kDefaultCalls = {
    SystemOpen,
    ::close,
    ::read,
    ::write,
    ::fstat,
    SystemStat,
    ::fsync,
    ::fchmod,
    ::chmod,
    ::rename,
    SystemRenameNoReplace,
    ::unlink,
    SystemCopyFileRange,
};

constexpr intptr_t kHandleBase = 0x10000;

}  // namespace

SystemCalls systemCalls = kDefaultCalls;

int RenameNoReplaceByLink(const char* from, const char* to) {
  // A hard link is refused just as atomically as the flag refuses.
  if (::link(from, to) != 0) {
    return -1;
  }
  if (systemCalls.unlink(from) != 0) {
    // Moved it is not while the old name stays: take the new one back.
    int error = errno;
    systemCalls.unlink(to);
    errno = error;
    return -1;
  }
  return 0;
}

const SystemCalls& DefaultSystemCalls() { return kDefaultCalls; }

HANDLE HandleFromFd(int fd) { return reinterpret_cast<HANDLE>(kHandleBase + 4 * intptr_t{fd}); }

int FdFromHandle(HANDLE handle) {
  intptr_t value = reinterpret_cast<intptr_t>(handle);
  if (value < kHandleBase || (value - kHandleBase) % 4 != 0) {
    return -1;
  }
  return static_cast<int>((value - kHandleBase) / 4);
}

std::string ParentDirectory(const char* path) {
  std::string text = path;
  size_t slash = text.find_last_of('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : text.substr(0, slash);
}

DWORD ErrorFromErrno(int error, const char* path, DWORD ioError) {
  switch (error) {
    case ENOENT: {
      // Windows tells a missing directory on the way from a missing file.
      if (path == nullptr) {
        return ERROR_FILE_NOT_FOUND;
      }
      struct stat info;
      std::string parent = ParentDirectory(path);
      return systemCalls.stat(parent.c_str(), &info) == 0 ? ERROR_FILE_NOT_FOUND
                                                          : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case EBUSY:
    case ETXTBSY:
      return ERROR_SHARING_VIOLATION;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case EIO:
      return ioError;
    default:
      return ERROR_GEN_FAILURE;
  }
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

void SyncDirectoryOf(const char* path) {
  // Without allocating: it runs after a file was moved, which no failure to
  // allocate may then report as not done.
  char parent[PATH_MAX] = ".";
  if (const char* slash = std::strrchr(path, '/')) {
    size_t length = slash == path ? 1 : static_cast<size_t>(slash - path);
    if (length >= sizeof parent) {
      return;
    }
    std::memcpy(parent, path, length);
    parent[length] = '\0';
  }
  int fd = systemCalls.open(parent, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) {
    return;
  }
  systemCalls.fsync(fd);
  systemCalls.close(fd);
}

}  // namespace posix_files
