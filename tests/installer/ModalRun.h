// Runs modal dialogs of this process while a user answers them.
#pragma once

#include <functional>
#include <vector>

#include "tests/installer/DialogUser.h"

struct ModalOutcome {
  int result = -1;  // what the modal call returned
  std::vector<DialogSeen> shown;
};

// Calls modal (a DoModal, or InitInstance with its dialogs) while the
// scripts answer the dialogs it shows, in turn.
ModalOutcome RunModal(const std::function<int()>& modal, const std::vector<DialogScript>& scripts);
