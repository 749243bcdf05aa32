// How the splice reads texts: where a folder goes after a list's opening,
// and which toolbar folder prefs.js names. Texts are whole file contents,
// NUL bytes included.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace installer::html {

// Where an entry goes as the first of the list opened at `listAt`: past the
// end of that line and every CR and LF after it. When no CR or LF follows,
// the entry goes right after the opening and needs a line end of its own.
struct ListInsertion {
  size_t position;
  bool needsLineEnd;
};
ListInsertion InsertionAfterList(std::string_view text, size_t listAt);

// The name of the personal toolbar folder, and whether it names a folder to
// look for in the bookmarks (set) or one to create (clear).
struct ToolbarFolder {
  std::string name;
  bool lookForFolder;
};

// Room for the name with its NUL.
constexpr size_t kToolbarNameBufferSize = 1024;

// From the text of prefs.js. A value that cannot be taken whole (no blank
// after the key, no closing quote, longer than the name buffer, or holding
// a NUL byte) counts as empty: the default name, still looked for.
ToolbarFolder ToolbarFolderFromPrefs(std::string_view prefs);
// When prefs.js cannot be read.
ToolbarFolder DefaultToolbarFolder();

}  // namespace installer::html
