// The POSIX program as a Unix user expects a command-line tool to behave.
#include "launcher/ProgramConventions.h"

#include <cstdio>

#include "version/Version.h"

namespace launcher {

namespace {

constexpr char kUsage[] =
    "Usage: snaplet [MODE]\n"
    "       snaplet --register | --unregister\n"
    "       snaplet --help | --version\n"
    "\n"
    "Hands the page a browser shows to Quillary's meter control.\n"
    "\n"
    "  MODE          Netscape over DDE: \"1\" as the second character (snaplet x1)\n"
    "                asks for QuickSave, anything else for the default save.\n"
    "  --register    registers Snaplet for this user as the native messaging host\n"
    "                quillary.snaplet of today's browsers: Chrome, Chromium, Edge,\n"
    "                Brave and Vivaldi (under $XDG_CONFIG_HOME, by default\n"
    "                ~/.config) and Firefox (~/.mozilla/native-messaging-hosts).\n"
    "  --unregister  removes what --register wrote.\n"
    "  --help        print this help and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "To save from a browser: run \"snaplet --register\" once, then install the\n"
    "Quillary extension from the browser's add-on store, or load its folder\n"
    "(<prefix>/share/quillary/extension): in Chrome, Edge, Brave or Vivaldi open\n"
    "chrome://extensions, turn on Developer mode, choose \"Load unpacked\" and pick\n"
    "the folder; in Firefox open about:debugging, This Firefox, \"Load Temporary\n"
    "Add-on\" and pick manifest.json in it. The toolbar button \"Save to Quillary\"\n"
    "(Alt+Shift+S) and the page menu's \"Save page to Quillary\" and \"QuickSave\n"
    "page to Quillary\" then save the page; a \"!\" on the button says why not.\n";

}  // namespace

bool AnswerInformationRequest(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) {
    return false;
  }
  if (arguments[0] == "--help") {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (arguments[0] == "--version") {
    std::printf("snaplet %s\n", QC_VERSION_TEXT);
    return true;
  }
  return false;
}

}  // namespace launcher
