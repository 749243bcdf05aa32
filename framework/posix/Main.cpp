// Entry point of a POSIX program built on the framework. The arguments are
// joined with single blanks into one line, as a Windows program receives
// them, and handed over one by one besides (AfxGetArguments), since a
// shell's argument may hold blanks that the line cannot tell apart.
#include <string>

#include "framework/WinApp.h"
#include "framework/posix/ProgramArguments.h"

int main(int argc, char** argv) {
  AfxSetArguments(argc, argv);
  static std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      line += ' ';
    }
    line += argv[i];
  }
  static std::string arguments;
  arguments = AfxSkipBlanks(line.c_str());
  return AfxWinMain(nullptr, &arguments[0]);
}
