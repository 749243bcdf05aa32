// Natively the scripts are the terminal's input, and its output tells what
// was shown.
#include <cstdio>
#include <string>

#include "framework/posix/DialogTerminal.h"
#include "tests/installer/ModalRun.h"

namespace {

std::string ReadBack(FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    text.push_back(static_cast<char>(c));
  }
  return text;
}

}  // namespace

ModalOutcome RunModal(const std::function<int()>& modal, const std::vector<DialogScript>& scripts) {
  FILE* input = std::tmpfile();
  FILE* output = std::tmpfile();
  std::string lines = TerminalInput(scripts);
  std::fwrite(lines.data(), 1, lines.size(), input);
  std::rewind(input);
  posix_dialogs::SetDialogTerminal(input, output);
  ModalOutcome outcome;
  outcome.result = modal();
  posix_dialogs::SetDialogTerminal(nullptr, nullptr);
  outcome.shown = DialogsShown(ReadBack(output));
  std::fclose(input);
  std::fclose(output);
  return outcome;
}
