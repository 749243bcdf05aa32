// qc_dialog_driver [--timeout ms] step...: answers the installer's path
// dialogs from a script or by hand. Steps, done in order:
//   wait        wait for an "Enter Path" dialog
//   show        print its field's text on a line
//   set=TEXT    put TEXT into its field
//   press=ID    press its button ID (1001 "...", 1 OK)
//   close       press its close box        escape   press Escape
//   gone        wait until it has closed
//   open        wait for the file-open dialog it started
//   file=PATH   answer the file-open dialog with PATH
//   cancel      cancel the file-open dialog
// Ends with 0 when every step worked, else 1 naming the failed step.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "testing/DialogDriver.h"

int main(int argc, char** argv) {
  DWORD timeout = 15000;
  HWND dialog = nullptr;
  HWND fileDialog = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string step = argv[i];
    std::string value = step.find('=') != std::string::npos ? step.substr(step.find('=') + 1) : "";
    bool done = false;
    if (step == "--timeout" && i + 1 < argc) {
      timeout = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
      done = true;
    } else if (step == "wait") {
      dialog = dialog_driver::WaitForDialog(0, dialog_driver::kPathCaption, timeout);
      done = dialog != nullptr;
    } else if (step == "show") {
      std::string text;
      done = dialog_driver::ControlText(dialog, dialog_driver::kPathField, &text);
      if (done) std::printf("%s\n", text.c_str());
    } else if (step.rfind("set=", 0) == 0) {
      done = dialog_driver::SetControlText(dialog, dialog_driver::kPathField, value);
    } else if (step.rfind("press=", 0) == 0) {
      done = dialog_driver::PressButton(dialog, std::atoi(value.c_str()));
    } else if (step == "close") {
      done = dialog_driver::PressCloseBox(dialog);
    } else if (step == "escape") {
      done = dialog_driver::PressEscape(dialog);
    } else if (step == "gone") {
      done = dialog_driver::WaitUntilGone(dialog, timeout);
    } else if (step == "open") {
      fileDialog = dialog_driver::WaitForFileDialog(dialog, timeout);
      done = fileDialog != nullptr;
    } else if (step.rfind("file=", 0) == 0) {
      done = dialog_driver::AnswerFileDialog(fileDialog, value);
    } else if (step == "cancel") {
      done = dialog_driver::CancelFileDialog(fileDialog);
    }
    if (!done) {
      std::fprintf(stderr, "qc_dialog_driver: step \"%s\" failed\n", argv[i]);
      return 1;
    }
    std::fflush(stdout);
  }
  return 0;
}
