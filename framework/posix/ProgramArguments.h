// The POSIX entry point hands the framework the program's arguments, which
// AfxGetArguments (framework/Arguments.h) then gives out.
#pragma once

void AfxSetArguments(int argc, char** argv);
