// A framework program that writes the argument text it was handed, between
// brackets, to the file named by QC_PROBE_OUT, then ends from InitInstance.
// With QC_PROBE_ARGUMENTS set, each argument after its name follows in
// braces, as the framework handed them over one by one.
#include <cstdio>
#include <cstdlib>

#include <string>

#include "framework/Arguments.h"
#include "framework/WinApp.h"

class ProbeApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    const char* out = std::getenv("QC_PROBE_OUT");
    if (out != nullptr) {
      if (FILE* file = std::fopen(out, "wb")) {
        std::fprintf(file, "[%s]", m_lpCmdLine);
        if (std::getenv("QC_PROBE_ARGUMENTS") != nullptr) {
          for (const std::string& argument : AfxGetArguments()) {
            std::fprintf(file, "{%s}", argument.c_str());
          }
        }
        std::fclose(file);
      }
    }
    return FALSE;
  }
};

ProbeApp theProbe;
