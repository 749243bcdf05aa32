// Open files: CreateFileA and the calls on the handle it gives.
#include "platform/posix/Files.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <time.h>

#include <cstdint>

#include "platform/posix/FilesInternal.h"

using posix_files::ErrorFromErrno;
using posix_files::Fail;
using posix_files::FdFromHandle;
using posix_files::systemCalls;

namespace {

// The open(2) flags for an access and a disposition; FALSE for values the
// stand-in does not offer.
BOOL OpenFlags(DWORD access, DWORD disposition, int* flags) {
  switch (access) {
    case GENERIC_READ:
      *flags = O_RDONLY;
      break;
    case GENERIC_WRITE:
      *flags = O_WRONLY;
      break;
    case GENERIC_READ | GENERIC_WRITE:
      *flags = O_RDWR;
      break;
    default:
      return FALSE;
  }
  bool writes = (access & GENERIC_WRITE) != 0;
  switch (disposition) {
    case CREATE_NEW:
      *flags |= O_CREAT | O_EXCL;
      return TRUE;
    case CREATE_ALWAYS:
      *flags |= O_CREAT | O_TRUNC;
      return writes;
    case OPEN_EXISTING:
      return TRUE;
    case OPEN_ALWAYS:
      *flags |= O_CREAT;
      return TRUE;
    case TRUNCATE_EXISTING:
      *flags |= O_TRUNC;
      return writes;
    default:
      return FALSE;
  }
}

// A whole large file read into fresh memory spends most of its time on
// page faults; huge pages for the buffer avoid them. Only a hint: where it
// does not apply (not anonymous memory, no huge pages) nothing changes, so
// it is not one of the file calls.
void PreferHugePages(void* buffer, size_t size) {
  constexpr uintptr_t kHugePage = 2 * 1024 * 1024;
  if (size < 2 * kHugePage) {
    return;
  }
  uintptr_t begin = (reinterpret_cast<uintptr_t>(buffer) + kHugePage - 1) & ~(kHugePage - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(buffer) + size) & ~(kHugePage - 1);
  if (end > begin) {
    madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  }
}

}  // namespace

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD /*dwFlagsAndAttributes*/, HANDLE /*hTemplateFile*/) {
  int flags = 0;
  if (lpFileName == nullptr || !OpenFlags(dwDesiredAccess, dwCreationDisposition, &flags)) {
    Fail(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  int fd = systemCalls.open(lpFileName, flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    Fail(ErrorFromErrno(errno, lpFileName));
    return INVALID_HANDLE_VALUE;
  }
  // A directory opens for reading on POSIX; on Windows it does not.
  struct stat info;
  bool described = systemCalls.fstat(fd, &info) == 0;
  if (!described || S_ISDIR(info.st_mode)) {
    DWORD error = described ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno, nullptr);
    systemCalls.close(fd);
    // A failed CreateFileA leaves no file behind that it made itself.
    if (dwCreationDisposition == CREATE_NEW) {
      systemCalls.unlink(lpFileName);
    }
    Fail(error);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(NO_ERROR);
  return posix_files::HandleFromFd(fd);
}

HANDLE GetStdHandle(DWORD nStdHandle) {
  switch (nStdHandle) {
    case STD_INPUT_HANDLE:
      return posix_files::HandleFromFd(0);
    case STD_OUTPUT_HANDLE:
      return posix_files::HandleFromFd(1);
    case STD_ERROR_HANDLE:
      return posix_files::HandleFromFd(2);
    default:
      Fail(ERROR_INVALID_PARAMETER);
      return INVALID_HANDLE_VALUE;
  }
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead != nullptr) {
    *lpNumberOfBytesRead = 0;
  }
  int fd = FdFromHandle(hFile);
  if (fd < 0) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if (lpOverlapped != nullptr || (lpBuffer == nullptr && nNumberOfBytesToRead != 0)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  char* buffer = static_cast<char*>(lpBuffer);
  PreferHugePages(buffer, nNumberOfBytesToRead);
  DWORD done = 0;
  // Like Windows, one call reads until the count is reached or the file ends.
  while (done < nNumberOfBytesToRead) {
    ssize_t got = systemCalls.read(fd, buffer + done, nNumberOfBytesToRead - done);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      DWORD error = ErrorFromErrno(errno, nullptr, ERROR_READ_FAULT);
      if (lpNumberOfBytesRead != nullptr) {
        *lpNumberOfBytesRead = done;
      }
      return Fail(error);
    }
    if (got == 0) {
      break;
    }
    done += static_cast<DWORD>(got);
  }
  if (lpNumberOfBytesRead != nullptr) {
    *lpNumberOfBytesRead = done;
  }
  return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten != nullptr) {
    *lpNumberOfBytesWritten = 0;
  }
  int fd = FdFromHandle(hFile);
  if (fd < 0) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if (lpOverlapped != nullptr || (lpBuffer == nullptr && nNumberOfBytesToWrite != 0)) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  const char* buffer = static_cast<const char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t put = systemCalls.write(fd, buffer + done, nNumberOfBytesToWrite - done);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      DWORD error = put < 0 ? ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT) : ERROR_WRITE_FAULT;
      if (lpNumberOfBytesWritten != nullptr) {
        *lpNumberOfBytesWritten = done;
      }
      return Fail(error);
    }
    done += static_cast<DWORD>(put);
  }
  if (lpNumberOfBytesWritten != nullptr) {
    *lpNumberOfBytesWritten = done;
  }
  return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  int fd = FdFromHandle(hFile);
  if (fd < 0) {
    Fail(ERROR_INVALID_HANDLE);
    return INVALID_FILE_SIZE;
  }
  struct stat info;
  if (systemCalls.fstat(fd, &info) != 0) {
    Fail(ErrorFromErrno(errno, nullptr));
    return INVALID_FILE_SIZE;
  }
  uint64_t size = static_cast<uint64_t>(info.st_size);
  if (lpFileSizeHigh != nullptr) {
    *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  }
  // A low part of all ones is a valid size; the cleared error tells it apart.
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(size);
}

BOOL FlushFileBuffers(HANDLE hFile) {
  int fd = FdFromHandle(hFile);
  if (fd < 0) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  if (systemCalls.fsync(fd) != 0) {
    return Fail(ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT));
  }
  return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
  int fd = FdFromHandle(hObject);
  if (fd < 0) {
    return Fail(ERROR_INVALID_HANDLE);
  }
  // The descriptor is gone even when close reports an error (Linux), so
  // the call is never repeated; the error still reaches the caller.
  if (systemCalls.close(fd) != 0) {
    return Fail(ErrorFromErrno(errno, nullptr, ERROR_WRITE_FAULT));
  }
  return TRUE;
}

void Sleep(DWORD dwMilliseconds) {
  struct timespec wait = {static_cast<time_t>(dwMilliseconds / 1000),
                          static_cast<long>(dwMilliseconds % 1000) * 1000000L};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}
