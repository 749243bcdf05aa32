// The POSIX calls under the file functions of the stand-in. Every one of
// them goes through this one table, so a test can replace an entry and make
// a chosen call fail, then check that nothing was lost. Only tests include
// this; the programs see nothing but the Windows names.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace posix_files {

struct SystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buffer, size_t count);
  ssize_t (*write)(int fd, const void* buffer, size_t count);
  int (*fstat)(int fd, struct stat* info);
  int (*stat)(const char* path, struct stat* info);
  int (*fsync)(int fd);
  int (*fchmod)(int fd, mode_t mode);
  int (*chmod)(const char* path, mode_t mode);
  int (*rename)(const char* from, const char* to);
  // rename() that fails with EEXIST instead of replacing.
  int (*renameNoReplace)(const char* from, const char* to);
  int (*unlink)(const char* path);
  // Copies up to count bytes from in to out at their offsets inside the
  // kernel, as copy_file_range(2); -1 with EXDEV, ENOSYS or EINVAL where
  // that is not possible between the two files.
  ssize_t (*copyFileRange)(int in, int out, size_t count);
};

// The live table. Entries start as the system's own calls; a test that
// changes one puts it back when done (DefaultSystemCalls() has them all).
extern SystemCalls systemCalls;
const SystemCalls& DefaultSystemCalls();

// The no-replace rename where the file system has no RENAME_NOREPLACE: a
// hard link, then the old name's removal through the table. -1 with errno,
// both names as they were, when either step fails.
int RenameNoReplaceByLink(const char* from, const char* to);

}  // namespace posix_files
