#include "installer/html/BookmarkSplicerText.h"

#include "browser/BrowserInterface.h"

namespace installer::html {

ListInsertion InsertionAfterList(std::string_view text, size_t listAt) {
  size_t lineEnd = text.find_first_of("\r\n", listAt);
  if (lineEnd == std::string_view::npos) {
    return {listAt + std::string_view(browser::kListOpen).size(), true};
  }
  size_t next = text.find_first_not_of("\r\n", lineEnd);
  return {next == std::string_view::npos ? text.size() : next, false};
}

ToolbarFolder DefaultToolbarFolder() { return {browser::kDefaultToolbarFolder, false}; }

namespace {

// The value after the key at `keyAt`: past the first blank, past any run of
// double quotes, up to the next double quote. Empty when it cannot be had.
std::string_view ValueAfterKey(std::string_view prefs, size_t keyAt) {
  size_t blank = prefs.find(' ', keyAt);
  if (blank == std::string_view::npos) {
    return {};
  }
  size_t start = blank + 1;
  if (start < prefs.size() && prefs[start] == '"') {
    start = prefs.find_first_not_of('"', start);
    if (start == std::string_view::npos) {
      return {};
    }
  }
  size_t end = prefs.find('"', start);
  if (end == std::string_view::npos || end - start >= kToolbarNameBufferSize) {
    return {};
  }
  std::string_view value = prefs.substr(start, end - start);
  return value.find('\0') == std::string_view::npos ? value : std::string_view();
}

}  // namespace

ToolbarFolder ToolbarFolderFromPrefs(std::string_view prefs) {
  if (prefs.find(browser::kHasToolbarFolderKey) != std::string_view::npos) {
    return DefaultToolbarFolder();
  }
  size_t keyAt = prefs.find(browser::kPersonalToolbarFolderKey);
  if (keyAt == std::string_view::npos) {
    return {browser::kDefaultToolbarFolder, true};
  }
  std::string_view value = ValueAfterKey(prefs, keyAt);
  return {value.empty() ? std::string(browser::kDefaultToolbarFolder) : std::string(value), true};
}

}  // namespace installer::html
