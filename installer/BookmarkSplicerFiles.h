// The file work of the splice: reading a file whole, and putting a new
// file in place of an old one in one step.
#pragma once

#include <memory>
#include <string_view>

#include "platform/Win32Api.h"

namespace splicer {

// A file's whole content, NUL bytes and all.
struct WholeFile {
  std::unique_ptr<char[]> bytes;
  DWORD size = 0;

  std::string_view Text() const { return {bytes.get(), size}; }
};

enum class ReadOutcome {
  kRead,
  kMissing,  // the file does not exist (nor, perhaps, its directory)
  kFailed,   // it exists but could not be opened, sized, held or read whole
};
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

}  // namespace splicer
