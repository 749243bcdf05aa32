// The program's arguments one by one, after its name, split as the C runtime
// splits a command line: what __argc and __argv give a Windows program, for
// the programs that need more than m_lpCmdLine. Each is UTF-8; on Windows
// they come from the wide command line, so that text beyond the ANSI code
// page survives.
#pragma once

#include <string>
#include <vector>

const std::vector<std::string>& AfxGetArguments();
