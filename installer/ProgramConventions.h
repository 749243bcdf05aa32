// What the installer does as a program of its platform. On Windows it keeps
// the silence it has always kept: no message, exit status 0. On POSIX it
// follows the conventions of a command-line tool: --help and --version, an
// exit status that tells the outcome, one line on standard error for each
// failure.
#pragma once

#include <cstddef>

#include "installer/InstallOutcome.h"

namespace installer {

// Whether the first word of the command line (`length` characters at
// `word`) asks for removal.
bool IsRemovalSwitch(const char* word, size_t length);

// The first argument as the platform hands it over on its own, when the
// installer is to take it whole: natively, where a shell's argument may hold
// blanks that the joined line cannot tell apart; null on Windows, whose
// programs split the one line they are given by its own rules.
const char* FirstArgument();

// Answers --help or --version when the line is one of them; TRUE when it
// was, and the run is over.
bool AnswerInformationRequest(const char* line);

// Tells the user how the run ended; `file` is the file concerned and
// `reason` says why, for every outcome but kDone.
void ReportOutcome(InstallOutcome outcome, const char* file, const char* reason);

// The program's exit status for the outcome.
int ExitStatusFor(InstallOutcome outcome);

}  // namespace installer
