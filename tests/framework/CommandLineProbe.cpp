// A framework program that writes the argument text it was handed, between
// brackets, to the file named by QC_PROBE_OUT, then ends from InitInstance.
// With QC_PROBE_ARGUMENTS set, each argument after its name follows in
// braces, as the framework handed them over one by one.
#include <cstdio>
#include <cstdlib>

#include "framework/WinApp.h"

class ProbeApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    const char* out = std::getenv("QC_PROBE_OUT");
    if (out != nullptr) {
      if (FILE* file = std::fopen(out, "wb")) {
        std::fprintf(file, "[%s]", m_lpCmdLine);
        for (int i = 1; std::getenv("QC_PROBE_ARGUMENTS") != nullptr && i < afxArgc; ++i) {
          std::fprintf(file, "{%s}", afxArgv[i]);
        }
        std::fclose(file);
      }
    }
    return FALSE;
  }
};

ProbeApp theProbe;
