// The file work of the splice: reading a file whole, putting a new file in
// place of an old one in one step, and the one-time backup.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/Win32Api.h"

namespace installer::shared {

// A file's whole content, NUL bytes and all.
struct WholeFile {
  std::unique_ptr<char[]> bytes;
  DWORD size = 0;

  std::string_view Text() const { return {bytes.get(), size}; }
};

enum class ReadOutcome {
  kRead,
  kMissing,  // the file does not exist (nor, perhaps, its directory)
  kFailed,   // it exists but could not be opened, sized or read whole
};
// No room to hold the file throws std::bad_alloc, as any allocation of the
// installer does: the program's top ends the run on it, nothing changed.
ReadOutcome ReadWholeFile(const char* path, WholeFile& file);

// TRUE when an existing file opens for reading; nothing in it changes.
BOOL OpensForReading(const char* path);

// TRUE when an existing file may be replaced: it is not marked read-only
// and it opens for writing (nothing in it changes).
BOOL MayRewrite(const char* path);

// Moves `source` over `target` in one step, durably; without `mayReplace`
// only to a target that does not exist. Another program holding the
// target open makes it wait briefly and try again.
BOOL ReplaceFileAtomically(const char* source, const char* target, bool mayReplace = true);

// The new text of a bookmark file, and its first backup, are written first
// into a temporary file "bkmk-<n>.qyn" (n from 0 to kTemporarySlots - 1)
// beside it: a name that
// only this program writes there, so that what an interrupted run left can
// be told apart from every other file and removed by a later run.
constexpr int kTemporarySlots = 8;
// A temporary file untouched for this long belongs to no run still writing.
constexpr DWORD kStaleTemporaryMinutes = 10;

// The temporary file of slot n in `directory` (ending in a separator).
// FALSE when the name would not fit MAX_PATH.
BOOL TemporaryFileName(const char* directory, int slot, char* name);

// Removes the temporary files of interrupted runs from `directory`: those
// of this program's names last written kStaleTemporaryMinutes ago or more.
// Every run that is to change a bookmark file calls it first.
void RemoveStaleTemporaryFiles(const char* directory);

// Writes the text that `writeText` produces into a temporary file in
// `directory` (the bookmark file's, ending in a separator), flushes it and
// puts it in the bookmark file's place in one step. TRUE when the bookmark
// file now holds the whole new text; otherwise it is as it was, and the
// temporary file is gone. Without `mayReplace` only a bookmark file that
// does not exist is written.
BOOL ReplaceBookmarkFile(const char* bookmarkPath, const char* directory,
                         const std::function<BOOL(HANDLE)>& writeText, bool mayReplace = true);

// The one-time backup at `backupPath`, holding `text` (the bookmark file's
// old text): written through a temporary file like the new text, and given
// its name in one step that never replaces a backup already there, so that
// it exists whole or not at all, and two runs at once leave one. TRUE when
// a backup is there to go back to: made now, or made before and readable.
BOOL MakeBackupOnce(const char* backupPath, const char* directory, std::string_view text);

}  // namespace installer::shared
