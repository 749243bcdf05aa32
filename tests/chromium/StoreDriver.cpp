// A test driver for the Chromium-family store on files, for the scripts
// that run it beside a real browser:
//   chromium_store_driver install <Bookmarks file> <product dir> [--repeatable]
//   chromium_store_driver remove <Bookmarks file>
// --repeatable takes the tests' fixed time and random source. Rewrites the
// file when something changed; prints one line of outcome; exits 0 (done),
// 3 (not a store file), 5 (a changed "Quillary" folder stayed) or 1
// (cannot read or write).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "installer/chromium/ChromiumBookmarks.h"
#include "tests/chromium/StoreTestSupport.h"

namespace {

bool ReadAll(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  *text = content.str();
  return static_cast<bool>(in);
}

bool WriteAll(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace installer::chromium;
  bool repeatable = argc == 5 && std::strcmp(argv[4], "--repeatable") == 0;
  bool install = (argc == 4 || repeatable) && std::strcmp(argv[1], "install") == 0;
  bool remove = argc == 3 && std::strcmp(argv[1], "remove") == 0;
  if (!install && !remove) {
    std::fprintf(stderr, "usage: %s install <file> <dir> [--repeatable] | remove <file>\n",
                 argv[0]);
    return 2;
  }
  std::string text;
  if (!ReadAll(argv[2], &text)) {
    std::fprintf(stderr, "%s: cannot read\n", argv[2]);
    return 1;
  }
  StoreStatus status;
  std::string result;
  bool changed;
  int exitStatus = 0;
  if (install) {
    InstallResult installed =
        Install(text, argv[3], repeatable ? store_test::RepeatableSource() : SystemNodeSource());
    status = installed.status;
    result = installed.Text();
    changed = installed.changed;
    std::printf("added %d folders\n", installed.addedFolders);
  } else {
    RemovalResult removed = Remove(text);
    status = removed.status;
    result = removed.Text();
    changed = removed.changed;
    std::printf("removed %d folders\n", removed.removedFolders);
    for (const LeftAloneFolder& folder : removed.leftAlone) {
      std::printf("left alone: %s line %zu: %s\n", folder.root.c_str(), folder.line,
                  installer::shared::ReasonText(folder.reason));
      exitStatus = 5;
    }
  }
  if (status != StoreStatus::kDone) {
    std::fprintf(stderr, "%s: not a bookmark store file (status %d)\n", argv[2],
                 static_cast<int>(status));
    return 3;
  }
  if (changed && !WriteAll(argv[2], result)) {
    std::fprintf(stderr, "%s: cannot write\n", argv[2]);
    return 1;
  }
  return exitStatus;
}
