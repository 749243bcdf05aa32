#include "installer/shared/BookmarkFiles.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "installer/shared/FileWrite.h"

namespace installer::shared {

namespace {

constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceRetryDelayMs = 100;

constexpr char kTemporaryPattern[] = "%sbkmk-%d.qyn";
// FILETIME counts 100 ns steps.
constexpr unsigned long long kFileTimeStepsPerMinute = 60ull * 10000000ull;

unsigned long long FileTimeValue(const FILETIME& time) {
  return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Creates the first free temporary file; INVALID_HANDLE_VALUE when every
// slot is taken or the directory refuses a new file.
HANDLE CreateTemporaryFile(const char* directory, char* name) {
  for (int slot = 0; slot < kTemporarySlots; ++slot) {
    if (!TemporaryFileName(directory, slot, name)) {
      return INVALID_HANDLE_VALUE;
    }
    HANDLE file =
        CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return file;
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      return INVALID_HANDLE_VALUE;
    }
  }
  return INVALID_HANDLE_VALUE;
}

// Every read and check of the splice opens files this way, so that another
// program may keep them open meanwhile.
HANDLE OpenForReading(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Closes a handle on every way out, an allocation failure's included.
struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() { CloseHandle(handle); }
};

// A temporary file beside a bookmark file: closed, and removed unless it
// was put in place, on every way out, an allocation failure's included.
struct TemporaryFile {
  char name[MAX_PATH];
  HANDLE handle = INVALID_HANDLE_VALUE;
  bool placed = false;

  BOOL Close() {
    BOOL closed = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    return closed;
  }
  ~TemporaryFile() {
    if (handle != INVALID_HANDLE_VALUE) {
      Close();
    }
    if (!placed) {
      DeleteFileA(name);
    }
  }
};

ReadOutcome ReadOpenFile(HANDLE handle, WholeFile& file) {
  DWORD high = 0;
  DWORD size = GetFileSize(handle, &high);
  // 4 GB and more is no bookmark file this program can hold.
  if (size == INVALID_FILE_SIZE || high != 0) {
    return ReadOutcome::kFailed;
  }
  // No room for it is no reason to take the file for missing or unreadable
  // (a prefs.js so read would change the splice): it ends the run.
  std::unique_ptr<char[]> bytes(new char[size != 0 ? size : 1]);
  DWORD got = 0;
  if (!ReadFile(handle, bytes.get(), size, &got, nullptr) || got != size) {
    return ReadOutcome::kFailed;
  }
  file.bytes = std::move(bytes);
  file.size = size;
  return ReadOutcome::kRead;
}

}  // namespace

ReadOutcome ReadWholeFile(const char* path, WholeFile& file) {
  HANDLE handle = OpenForReading(path);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadOutcome::kMissing
                                                                          : ReadOutcome::kFailed;
  }
  HandleCloser closer{handle};
  return ReadOpenFile(handle, file);
}

BOOL OpensForReading(const char* path) {
  HANDLE handle = OpenForReading(path);
  if (handle == INVALID_HANDLE_VALUE) {
    return FALSE;
  }
  CloseHandle(handle);
  return TRUE;
}

BOOL MayRewrite(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) {
    return FALSE;
  }
  HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return FALSE;
  }
  CloseHandle(handle);
  return TRUE;
}

BOOL ReplaceFileAtomically(const char* source, const char* target, bool mayReplace) {
  DWORD flags = MOVEFILE_WRITE_THROUGH | (mayReplace ? MOVEFILE_REPLACE_EXISTING : 0);
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(source, target, flags)) {
      return TRUE;
    }
    DWORD error = GetLastError();
    bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == kReplaceAttempts) {
      return FALSE;
    }
    Sleep(kReplaceRetryDelayMs);
  }
}

BOOL TemporaryFileName(const char* directory, int slot, char* name) {
  int length = std::snprintf(name, MAX_PATH, kTemporaryPattern, directory, slot);
  return length > 0 && length < MAX_PATH;
}

void RemoveStaleTemporaryFiles(const char* directory) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  for (int slot = 0; slot < kTemporarySlots; ++slot) {
    char name[MAX_PATH];
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!TemporaryFileName(directory, slot, name) ||
        !GetFileAttributesExA(name, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      continue;
    }
    unsigned long long written = FileTimeValue(data.ftLastWriteTime);
    if (FileTimeValue(now) >= written + kStaleTemporaryMinutes * kFileTimeStepsPerMinute) {
      DeleteFileA(name);
    }
  }
}

BOOL ReplaceBookmarkFile(const char* bookmarkPath, const char* directory,
                         const std::function<BOOL(HANDLE)>& writeText, bool mayReplace) {
  char name[MAX_PATH];
  HANDLE output = CreateTemporaryFile(directory, name);
  if (output == INVALID_HANDLE_VALUE) {
    return FALSE;
  }
  TemporaryFile temporary;
  std::memcpy(temporary.name, name, sizeof name);
  temporary.handle = output;
  BOOL written = writeText(output) && FlushFileBuffers(output);
  written = temporary.Close() && written;
  temporary.placed = written && ReplaceFileAtomically(temporary.name, bookmarkPath, mayReplace);
  return temporary.placed;
}

BOOL MakeBackupOnce(const char* backupPath, const char* directory, std::string_view text) {
  if (GetFileAttributesA(backupPath) == INVALID_FILE_ATTRIBUTES) {
    // Only a backup known to be missing is made: a check that failed
    // otherwise tells nothing, and the run goes no further without one.
    DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
      return FALSE;
    }
    auto writeCopy = [text](HANDLE output) { return WriteBytes(output, text.data(), text.size()); };
    if (ReplaceBookmarkFile(backupPath, directory, writeCopy, false)) {
      return TRUE;
    }
    // A run at the same moment may have made it first.
  }
  return OpensForReading(backupPath);
}

}  // namespace installer::shared
