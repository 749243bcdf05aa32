// What the file functions of the stand-in share among themselves.
#pragma once

#include <string>

#include "platform/posix/FileTestHooks.h"
#include "platform/posix/Files.h"

namespace posix_files {

// A file handle carries its descriptor; the offset keeps small integers
// and null from ever passing for a handle.
HANDLE HandleFromFd(int fd);
// -1 for a value that no CreateFileA returned.
int FdFromHandle(HANDLE handle);

// The Windows code for errno after a call on `path` (null when there is
// none). `ioError` stands in for EIO, which Windows reports per direction.
DWORD ErrorFromErrno(int error, const char* path, DWORD ioError = ERROR_GEN_FAILURE);
// Sets the last error and returns FALSE, for failure paths.
BOOL Fail(DWORD error);

// The directory part of a path ("." when there is none).
std::string ParentDirectory(const char* path);
// Makes a rename or new name in that directory durable; best effort, since
// the change itself has already happened when this runs.
void SyncDirectoryOf(const char* path);

}  // namespace posix_files
