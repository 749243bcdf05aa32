// What Snaplet does as a program of its platform. On Windows it keeps the
// launcher's command line as it always was; on POSIX it answers --help and
// --version, as a command-line tool does.
#pragma once

#include <string>
#include <vector>

namespace launcher {

// Answers --help or --version when they are the only argument; true when
// it did, and the run is over.
bool AnswerInformationRequest(const std::vector<std::string>& arguments);

}  // namespace launcher
