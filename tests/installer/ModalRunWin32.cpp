// Under Windows the dialog driver answers from a thread of its own while
// this one runs the modal loop.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "testing/DialogDriver.h"
#include "tests/installer/ModalRun.h"

namespace {
// Once the user is done, the modal call has this long to return.
const ULONGLONG kGraceMs = 5000;
}  // namespace

ModalOutcome RunModal(const std::function<int()>& modal, const std::vector<DialogScript>& scripts) {
  ModalOutcome outcome;
  std::atomic<bool> returned(false);
  std::atomic<int> cancelled(0);
  std::thread user([&] {
    outcome.shown = AnswerDialogs(0, scripts, [&] { return returned.load(); });
    // A dialog still up now (one that came late, or one more than the
    // scripts know) would hold the modal loop until CTest's time-out:
    // after the grace period each is cancelled, and the test fails at once.
    const ULONGLONG deadline = ::GetTickCount64() + kGraceMs;
    while (!returned && ::GetTickCount64() < deadline) ::Sleep(20);
    while (!returned) {
      HWND left = dialog_driver::WaitForDialog(::GetCurrentProcessId(), nullptr, 100);
      if (left != nullptr) {
        ++cancelled;
        dialog_driver::PressButton(left, IDCANCEL);
        dialog_driver::WaitUntilGone(left, 1000);
      }
    }
  });
  outcome.result = modal();
  returned = true;
  user.join();
  if (cancelled != 0) {
    ADD_FAILURE() << cancelled << " dialog(s) still up after the user was done were cancelled";
  }
  return outcome;
}
