// File calls by name: copy, move, delete and temporary names. A copy or a
// move shows its result under the new name whole or not at all.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "platform/posix/Files.h"
#include "platform/posix/FilesInternal.h"

using posix_files::ErrorFromErrno;
using posix_files::Fail;
using posix_files::systemCalls;

namespace {

constexpr size_t kCopyChunk = 256 * 1024;
constexpr size_t kKernelCopyChunk = 64 * 1024 * 1024;
constexpr mode_t kPermissionBits = 07777;

// Varies the names a process tries, so that its own tries do not collide.
unsigned nameCounter = 0;

unsigned NextNameSeed() {
  return static_cast<unsigned>(getpid()) * 7919u + static_cast<unsigned>(time(nullptr)) +
         nameCounter++;
}

// Creates an empty new file "<target>.<n>.tmp" beside the target.
int CreateTempBeside(const char* target, std::string& name) {
  unsigned seed = NextNameSeed();
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = std::string(target) + "." + std::to_string(seed + attempt) + ".tmp";
    int fd = systemCalls.open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

BOOL WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t put = systemCalls.write(fd, data, size);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      return Fail(put < 0 ? ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT) : ERROR_WRITE_FAULT);
    }
    data += put;
    size -= static_cast<size_t>(put);
  }
  return TRUE;
}

BOOL CopyByReading(int in, int out) {
  std::unique_ptr<char[]> chunk(new (std::nothrow) char[kCopyChunk]);
  if (!chunk) {
    return Fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  for (;;) {
    ssize_t got = systemCalls.read(in, chunk.get(), kCopyChunk);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return Fail(ErrorFromErrno(errno, nullptr, ERROR_READ_FAULT));
    }
    if (got == 0) {
      break;
    }
    if (!WriteAll(out, chunk.get(), static_cast<size_t>(got))) {
      return FALSE;
    }
  }
  return TRUE;
}

BOOL FinishCopy(int out, mode_t mode) {
  if (systemCalls.fchmod(out, mode & kPermissionBits) != 0 || systemCalls.fsync(out) != 0) {
    return Fail(ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT));
  }
  return TRUE;
}

// Copies the rest of `in` into `out`, then gives `out` the permission bits
// and makes its bytes durable.
BOOL CopyContent(int in, int out, mode_t mode) {
  // In the kernel where it can be done there, by reading and writing elsewhere.
  bool inKernel = true;
  for (;;) {
    ssize_t copied = systemCalls.copyFileRange(in, out, kKernelCopyChunk);
    if (copied < 0 && errno == EINTR) {
      continue;
    }
    if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == ENOTSUP)) {
      inKernel = false;
      break;
    }
    if (copied < 0) {
      return Fail(ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT));
    }
    if (copied == 0) {
      break;
    }
  }
  return (inKernel || CopyByReading(in, out)) && FinishCopy(out, mode);
}

}  // namespace

BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  if (lpExistingFileName == nullptr || lpNewFileName == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  struct stat info;
  // The common refusal needs no temporary file; a racing copy is still
  // refused by the no-replace rename below.
  if (bFailIfExists) {
    if (systemCalls.stat(lpNewFileName, &info) == 0) {
      return Fail(ERROR_FILE_EXISTS);
    }
    if (errno != ENOENT) {
      return Fail(ErrorFromErrno(errno, lpNewFileName));
    }
  }
  int in = systemCalls.open(lpExistingFileName, O_RDONLY | O_CLOEXEC, 0);
  if (in < 0) {
    return Fail(ErrorFromErrno(errno, lpExistingFileName));
  }
  bool described = systemCalls.fstat(in, &info) == 0;
  if (!described || S_ISDIR(info.st_mode)) {
    DWORD error = described ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno, nullptr);
    systemCalls.close(in);
    return Fail(error);
  }
  std::string tempName;
  int out = CreateTempBeside(lpNewFileName, tempName);
  if (out < 0) {
    DWORD error = ErrorFromErrno(errno, lpNewFileName);
    systemCalls.close(in);
    return Fail(error);
  }
  BOOL copied = CopyContent(in, out, info.st_mode);
  DWORD error = GetLastError();
  if (systemCalls.close(out) != 0 && copied) {
    copied = FALSE;
    error = ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT);
  }
  systemCalls.close(in);
  if (copied) {
    int published = bFailIfExists ? systemCalls.renameNoReplace(tempName.c_str(), lpNewFileName)
                                  : systemCalls.rename(tempName.c_str(), lpNewFileName);
    if (published == 0) {
      posix_files::SyncDirectoryOf(lpNewFileName);
      return TRUE;
    }
    error = ErrorFromErrno(errno, lpNewFileName);
  }
  systemCalls.unlink(tempName.c_str());
  return Fail(error);
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  constexpr DWORD kKnownFlags =
      MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH;
  // No delete-on-reboot: a new name is required.
  if (lpExistingFileName == nullptr || lpNewFileName == nullptr || (dwFlags & ~kKnownFlags)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  int moved;
  if (dwFlags & MOVEFILE_REPLACE_EXISTING) {
    struct stat info;
    if (systemCalls.stat(lpNewFileName, &info) == 0) {
      // A file without any write bit is read-only, which Windows does not replace.
      if (S_ISDIR(info.st_mode) || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
      }
      if (systemCalls.chmod(lpExistingFileName, info.st_mode & kPermissionBits) != 0) {
        return Fail(ErrorFromErrno(errno, lpExistingFileName));
      }
    } else if (errno != ENOENT) {
      return Fail(ErrorFromErrno(errno, lpNewFileName));
    }
    moved = systemCalls.rename(lpExistingFileName, lpNewFileName);
  } else {
    moved = systemCalls.renameNoReplace(lpExistingFileName, lpNewFileName);
  }
  if (moved != 0) {
    DWORD error =
        errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno, lpExistingFileName);
    return Fail(error);
  }
  if (dwFlags & MOVEFILE_WRITE_THROUGH) {
    posix_files::SyncDirectoryOf(lpNewFileName);
  }
  return TRUE;
}

BOOL DeleteFileA(LPCSTR lpFileName) {
  if (lpFileName == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (systemCalls.unlink(lpFileName) != 0) {
    return Fail(ErrorFromErrno(errno, lpFileName));
  }
  return TRUE;
}

namespace {

DWORD AttributesOf(const struct stat& info) {
  DWORD attributes = 0;
  if (S_ISDIR(info.st_mode)) {
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  }
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    attributes |= FILE_ATTRIBUTE_READONLY;
  }
  return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// Seconds from 1601-01-01 to 1970-01-01.
constexpr unsigned long long kUnixEpochInFileTimeSeconds = 11644473600ull;

FILETIME FileTimeOf(const struct timespec& time) {
  unsigned long long steps =
      (static_cast<unsigned long long>(time.tv_sec) + kUnixEpochInFileTimeSeconds) * 10000000ull +
      static_cast<unsigned long long>(time.tv_nsec) / 100;
  return {static_cast<DWORD>(steps), static_cast<DWORD>(steps >> 32)};
}

}  // namespace

DWORD GetFileAttributesA(LPCSTR lpFileName) {
  struct stat info;
  if (lpFileName == nullptr) {
    Fail(ERROR_INVALID_PARAMETER);
    return INVALID_FILE_ATTRIBUTES;
  }
  if (systemCalls.stat(lpFileName, &info) != 0) {
    Fail(ErrorFromErrno(errno, lpFileName));
    return INVALID_FILE_ATTRIBUTES;
  }
  return AttributesOf(info);
}

BOOL GetFileAttributesExA(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                          LPVOID lpFileInformation) {
  struct stat info;
  if (lpFileName == nullptr || fInfoLevelId != GetFileExInfoStandard ||
      lpFileInformation == nullptr) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (systemCalls.stat(lpFileName, &info) != 0) {
    return Fail(ErrorFromErrno(errno, lpFileName));
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  data.dwFileAttributes = AttributesOf(info);
  data.ftCreationTime = FileTimeOf(info.st_ctim);
  data.ftLastAccessTime = FileTimeOf(info.st_atim);
  data.ftLastWriteTime = FileTimeOf(info.st_mtim);
  unsigned long long size = static_cast<unsigned long long>(info.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size);
  std::memcpy(lpFileInformation, &data, sizeof data);
  return TRUE;
}

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  *lpSystemTimeAsFileTime = FileTimeOf(now);
}

UINT GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique,
                      LPSTR lpTempFileName) {
  if (lpPathName == nullptr || lpPrefixString == nullptr || lpTempFileName == nullptr) {
    Fail(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string directory = lpPathName;
  if (!directory.empty() && directory.back() != '/' && directory.back() != '\\') {
    directory += '/';
  }
  std::string prefix = std::string(lpPrefixString).substr(0, 3);
  unsigned seed = NextNameSeed();
  for (unsigned attempt = 0; attempt < 0xFFFF; ++attempt) {
    UINT number = uUnique != 0 ? (uUnique & 0xFFFF) : (seed + attempt) % 0xFFFF + 1;
    char hex[8];
    snprintf(hex, sizeof hex, "%04X", number);
    std::string name = directory + prefix + hex + ".tmp";
    if (name.size() >= MAX_PATH) {
      Fail(ERROR_BUFFER_OVERFLOW);
      return 0;
    }
    if (uUnique != 0) {
      // A given number only forms the name; no file is made.
      std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
      return number;
    }
    int fd = systemCalls.open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      systemCalls.close(fd);
      std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
      return number;
    }
    if (errno != EEXIST) {
      Fail(ErrorFromErrno(errno, name.c_str()));
      return 0;
    }
  }
  Fail(ERROR_FILE_EXISTS);
  return 0;
}
