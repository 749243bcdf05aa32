// Under Windows the dialog driver answers from a thread of its own while
// this one runs the modal loop.
#include <atomic>
#include <thread>

#include "tests/installer/ModalRun.h"

ModalOutcome RunModal(const std::function<int()>& modal, const std::vector<DialogScript>& scripts) {
  ModalOutcome outcome;
  std::atomic<bool> returned(false);
  std::thread user(
      [&] { outcome.shown = AnswerDialogs(0, scripts, [&] { return returned.load(); }); });
  outcome.result = modal();
  returned = true;
  user.join();
  return outcome;
}
