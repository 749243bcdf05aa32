// The Windows program reports nothing and always exits with status 0; it
// answers no switch but the removal one.
#include "installer/ProgramConventions.h"

#include <cstring>

namespace installer {

namespace {

bool WordIs(const char* word, size_t length, const char* text) {
  return length == std::strlen(text) && std::strncmp(word, text, length) == 0;
}

}  // namespace

bool IsRemovalSwitch(const char* word, size_t length) {
  return WordIs(word, length, "--remove") || WordIs(word, length, "/remove");
}

const char* FirstArgument() { return nullptr; }

bool AnswerInformationRequest(const char*) { return false; }

void ReportOutcome(InstallOutcome, const char*, const char*) {}

int ExitStatusFor(InstallOutcome) { return 0; }

}  // namespace installer
