#include "framework/posix/DialogTerminal.h"

#include <unistd.h>

namespace posix_dialogs {

namespace {

FILE* input = nullptr;
FILE* output = nullptr;

FILE* Input() { return input != nullptr ? input : stdin; }

}  // namespace

void SetDialogTerminal(FILE* newInput, FILE* newOutput) {
  input = newInput;
  output = newOutput;
}

FILE* DialogOutput() { return output != nullptr ? output : stdout; }

bool DialogInputIsTerminal() { return isatty(fileno(Input())) == 1; }

bool ReadDialogLine(std::string* line) {
  line->clear();
  FILE* in = Input();
  int c = 0;
  while ((c = std::fgetc(in)) != EOF && c != '\n') {
    line->push_back(static_cast<char>(c));
  }
  if (c == EOF) {
    std::clearerr(in);
    // A last line without its end still counts; only nothing at all is the end.
    if (line->empty()) {
      return false;
    }
  }
  if (!line->empty() && line->back() == '\r') {
    line->pop_back();
  }
  return true;
}

}  // namespace posix_dialogs
