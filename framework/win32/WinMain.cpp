// Entry point of a Windows program built on the framework.
#include <cstdlib>
#include <string>

#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
  // The C runtimes differ in how they cut the program name off the command
  // line, so the framework does it itself from the process's own line.
  static std::string arguments;
  arguments = AfxSkipProgramName(GetCommandLineA());
  return AfxWinMain(hInstance, &arguments[0]);
}
