// Runs the installer program as a user starts it, with a user answering
// its dialogs: under Wine Foldmint.exe is a process of its own and the
// dialog driver answers it; natively the answers are piped into foldmint's
// standard input.
#pragma once

#include <string>
#include <vector>

#include "tests/installer/DialogUser.h"

struct InstallerOutcome {
  bool ended = false;  // the program ended by itself within the bound
  int exitCode = -1;
  std::vector<DialogSeen> shown;  // the dialogs, in the order shown
  std::string errorOutput;        // natively, what it wrote on standard error
};

// commandLine: what follows the program's name.
InstallerOutcome RunInstaller(const std::string& commandLine,
                              const std::vector<DialogScript>& scripts);
