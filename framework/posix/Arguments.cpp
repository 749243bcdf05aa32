#include "framework/Arguments.h"

#include "framework/posix/ProgramArguments.h"

namespace {
std::vector<std::string> arguments;
}  // namespace

void AfxSetArguments(int argc, char** argv) {
  arguments.assign(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

const std::vector<std::string>& AfxGetArguments() { return arguments; }
