// Snaplet.exe shows no text but its one message box, and reads no switch
// but its host mode and registration.
#include "launcher/ProgramConventions.h"

namespace launcher {

bool AnswerInformationRequest(const std::vector<std::string>&) { return false; }

}  // namespace launcher
