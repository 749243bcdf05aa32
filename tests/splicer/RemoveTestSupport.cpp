#include "tests/splicer/RemoveTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "installer/InstallerApp.h"

namespace splicer_test {

TextRemoval RemoveFromText(std::string_view text) {
  TextRemoval removal;
  static_cast<installer::html::RemovalResult&>(removal) =
      installer::html::RemoveProductFolders(text);
  removal.text = installer::html::KeptText(text, removal);
  return removal;
}

void RunRemover(const std::string& bookmarkPath) {
  InstallerApp& app = *static_cast<InstallerApp*>(AfxGetApp());
  ASSERT_LT(bookmarkPath.size(), sizeof app.bookmarkPath);
  std::memset(app.bookmarkPath, 0, sizeof app.bookmarkPath);
  std::memset(app.productDir, 0, sizeof app.productDir);
  std::memcpy(app.bookmarkPath, bookmarkPath.data(), bookmarkPath.size());
  app.BookmarkRemover();
}

}  // namespace splicer_test
