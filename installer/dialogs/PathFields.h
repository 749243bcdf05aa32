// What the path dialogs store when OK is pressed, from the text of their
// field. Both write the whole result into a 260-byte buffer or, when the
// result would not fit or the text cannot be taken apart whole, nothing at
// all (false): a cut path would name some other file.
#pragma once

#include <cstddef>

namespace installer::dialogs {

// The field taken as the bookmark file's directory: D:\N and D:\N\ both
// give D:\N\bookmark.htm, an empty field \bookmark.htm.
bool BookmarkPathFromField(const char* field, char* bookmarkPath, size_t size);

// The drive and directory of the field: D:\Q\Add.htm and D:\Q\ give D:\Q\,
// D:\Q gives D:\, a bare name an empty text.
bool ProductDirFromField(const char* field, char* productDir, size_t size);

// The drive and directory of a chosen file, for the bookmark field.
bool DirectoryOfFile(const char* file, char* directory, size_t size);

}  // namespace installer::dialogs
