// The POSIX program as a Unix user expects a command-line tool to behave.
// "/remove" is no switch here: it is a path.
#include "installer/ProgramConventions.h"

#include <cstdio>
#include <cstring>

#include <string>
#include <vector>

#include "framework/Arguments.h"
#include "version/Version.h"

namespace installer {

namespace {

constexpr char kProgramName[] = "foldmint";

constexpr char kUsage[] =
    "Usage: foldmint [BOOKMARK-FILE [PRODUCT-DIR]]\n"
    "       foldmint --remove [BOOKMARK-FILE]\n"
    "       foldmint --help | --version\n"
    "\n"
    "Adds the folder \"Quillary\" with the links Save, QuickSave and Search into\n"
    "PRODUCT-DIR to the browser's bookmark file. Two kinds of file:\n"
    "  - an HTML bookmark file (bookmark.htm, bookmarks.html): the folder goes at\n"
    "    the top of the bookmarks and again in the personal toolbar folder named\n"
    "    by prefs.js beside it;\n"
    "  - the Bookmarks file of Chrome, Edge, Brave, Vivaldi, Opera or Chromium\n"
    "    (e.g. ~/.config/chromium/Default/Bookmarks; a file named Bookmarks in any\n"
    "    case, or one whose text starts with \"{\"): the folder goes first on the\n"
    "    bookmarks bar and first in Other bookmarks. Close the browser first: while\n"
    "    it runs on the profile nothing is changed.\n"
    "The first run keeps a copy of the bookmark file as bkmk.qyr in the same\n"
    "directory. A missing path is asked for, prefilled from the registry.\n"
    "BOOKMARK-FILE is the first argument, blanks included (quote it for the\n"
    "shell, as in \"User Data/Default/Bookmarks\"); the remaining arguments,\n"
    "joined with single blanks, are PRODUCT-DIR, which loses one pair of double\n"
    "quotes around it whole. A BOOKMARK-FILE reached through symbolic links is\n"
    "followed to its file: that file is rewritten, the link stays a link.\n"
    "\n"
    "  --remove   take the product's folders out of BOOKMARK-FILE again, leaving\n"
    "             every other entry as it is and bkmk.qyr untouched\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  the folder is in the bookmark file (for --remove: out of it)\n"
    "  1  a prompt was cancelled; nothing changed\n"
    "  2  the command line cannot be used; nothing changed\n"
    "  3  neither the bookmark file nor a backup can be read (or memory ran out),\n"
    "     or a Bookmarks file is damaged; nothing changed\n"
    "  4  the new bookmark file could not be written; nothing changed\n"
    "  5  --remove left a folder \"Quillary\" that holds other entries, or lacks\n"
    "     one of the three links\n"
    "  6  a browser runs on the profile of a Bookmarks file; nothing changed\n";

}  // namespace

bool IsRemovalSwitch(const char* word, size_t length) {
  return length == 8 && std::strncmp(word, "--remove", length) == 0;
}

const char* FirstArgument() {
  const std::vector<std::string>& arguments = AfxGetArguments();
  return arguments.empty() ? nullptr : arguments[0].c_str();
}

bool AnswerInformationRequest(const char* line) {
  if (std::strcmp(line, "--help") == 0) {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (std::strcmp(line, "--version") == 0) {
    std::printf("%s %s\n", kProgramName, QC_VERSION_TEXT);
    return true;
  }
  return false;
}

void ReportOutcome(InstallOutcome outcome, const char* file, const char* reason) {
  if (outcome == InstallOutcome::kDone) {
    return;
  }
  std::fprintf(stderr, "%s: %s: %s\n", kProgramName,
               file != nullptr && file[0] != '\0' ? file : "-", reason);
}

int ExitStatusFor(InstallOutcome outcome) { return static_cast<int>(outcome); }

}  // namespace installer
