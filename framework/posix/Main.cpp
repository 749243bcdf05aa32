// Entry point of a POSIX program built on the framework. The arguments are
// joined with single blanks into one line, as a Windows program receives them;
// a first argument that holds a blank (after its leading blanks, which the
// line loses) comes in double quotes, as Windows passes a program a path with
// blanks, so that where it ends is not lost.
#include <string>

#include "framework/WinApp.h"
#include "framework/posix/ProgramArguments.h"

int main(int argc, char** argv) {
  AfxSetArguments(argc, argv);
  static std::string line;
  for (int i = 1; i < argc; ++i) {
    std::string argument = i == 1 ? AfxSkipBlanks(argv[i]) : argv[i];
    if (i == 1 && argument.find(' ') != std::string::npos) {
      argument = '"' + argument + '"';
    }
    if (i > 1) {
      line += ' ';
    }
    line += argument;
  }
  static std::string arguments;
  arguments = AfxSkipBlanks(line.c_str());
  return AfxWinMain(nullptr, &arguments[0]);
}
