// The platform half of Module.h.
#pragma once

#include <string>

// The running program's file name without directory and extension.
std::string AfxModuleBaseName();
