#include <vector>

#include "framework/posix/DialogTemplate.h"

namespace posix_dialogs {

namespace {

// Filled during static initialisation, hence built on first use.
std::vector<const DialogTemplate*>& Templates() {
  static std::vector<const DialogTemplate*>* templates = new std::vector<const DialogTemplate*>;
  return *templates;
}

}  // namespace

void RegisterDialogTemplates(const DialogTemplate* templates, int count) {
  for (int i = 0; i < count; ++i) {
    Templates().push_back(&templates[i]);
  }
}

const DialogTemplate* FindDialogTemplate(UINT id) {
  for (const DialogTemplate* each : Templates()) {
    if (each->id == id) {
      return each;
    }
  }
  return nullptr;
}

}  // namespace posix_dialogs
