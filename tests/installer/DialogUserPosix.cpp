#include <sstream>

#include "tests/installer/DialogUser.h"

bool EndsInput(UserAction::Kind kind) {
  return kind == UserAction::kBrowseCancel || kind == UserAction::kCloseBox ||
         kind == UserAction::kEscape;
}

std::string TerminalInput(const std::vector<DialogScript>& scripts) {
  std::string input;
  for (const DialogScript& script : scripts) {
    for (const UserAction& action : script) {
      switch (action.kind) {
        case UserAction::kOk:
          input += "\n";
          break;
        case UserAction::kTypeAndOk:
          input += action.text + "\n";
          break;
        case UserAction::kBrowse:
          input += "...\n" + action.text + "\n";
          break;
        case UserAction::kBrowseCancel:
          input += "...\n";
          break;
        default:
          break;
      }
      if (EndsInput(action.kind)) {
        return input;
      }
    }
  }
  return input;
}

namespace {

// "[text]" -> "text"
std::string Bracketed(const std::string& line) {
  size_t open = line.find('[');
  size_t close = line.rfind(']');
  return open == std::string::npos || close == std::string::npos || close < open
             ? std::string()
             : line.substr(open + 1, close - open - 1);
}

}  // namespace

std::vector<DialogSeen> DialogsShown(const std::string& output) {
  std::vector<DialogSeen> shown;
  std::istringstream lines(output);
  std::string line;
  DialogSeen* current = nullptr;
  while (std::getline(lines, line)) {
    if (line == "Enter Path") {
      std::string prompt;
      std::string value;
      std::getline(lines, prompt);
      std::getline(lines, value);
      if (current == nullptr || current->prompt != prompt) {
        shown.push_back(DialogSeen{prompt, Bracketed(value), "", ""});
        current = &shown.back();
      }
    } else if (line.rfind("Open", 0) == 0 && current != nullptr) {
      size_t open = line.find('(');
      size_t close = line.rfind(')');
      if (open != std::string::npos && close != std::string::npos && close > open) {
        current->filter = line.substr(open + 1, close - open - 1);
      }
      std::string name;
      std::getline(lines, name);
      current->fileName = Bracketed(name);
    }
  }
  return shown;
}
