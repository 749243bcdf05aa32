#include "launcher/messaging/RegistrationPlan.h"

#include "launcher/messaging/HostManifest.h"

namespace native_host {

namespace {

struct Found {
  ItemState state;
  std::string content;
};

// Every item's state before anything changes; false with the failure when
// one cannot be read.
bool ReadAll(RegistrationStore* store, const std::vector<RegistrationItem>& items,
             std::vector<Found>* found, std::string* failure) {
  for (const RegistrationItem& item : items) {
    Found each{ItemState::kAbsent, std::string()};
    each.state = store->Read(item, &each.content);
    if (each.state == ItemState::kUnreadable) {
      *failure = item.location + ": " + store->Failure() + "; nothing changed";
      return false;
    }
    found->push_back(each);
  }
  return true;
}

// What one change replaced, so that it can be put back.
struct Change {
  const RegistrationItem* item;
  Found before;
};

// Puts back every change made, last first; says which could not be.
std::string Undo(RegistrationStore* store, const std::vector<Change>& changes) {
  std::string notPutBack;
  for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
    bool putBack = change->before.state == ItemState::kPresent
                       ? store->Write(*change->item, change->before.content)
                       : store->Remove(*change->item);
    if (!putBack) {
      notPutBack += "; " + change->item->location + " could not be put back";
    }
  }
  return notPutBack.empty() ? "; nothing changed" : notPutBack;
}

enum class Action { kKeep, kWrite, kRemove };

// Items in order, or last first: keys name manifests, so a manifest is
// written before its key and removed after it.
RegistrationOutcome Apply(RegistrationStore* store, const std::vector<RegistrationItem>& items,
                          const std::vector<Found>& found, const std::vector<Action>& actions,
                          const std::vector<std::string>& report, bool lastFirst) {
  RegistrationOutcome outcome;
  std::vector<Change> changes;
  for (size_t n = 0; n < items.size(); ++n) {
    size_t i = lastFirst ? items.size() - 1 - n : n;
    if (actions[i] == Action::kKeep) {
      continue;
    }
    bool changed = actions[i] == Action::kWrite ? store->Write(items[i], items[i].content)
                                                : store->Remove(items[i]);
    if (!changed) {
      outcome.failure = items[i].location + ": " + store->Failure() + Undo(store, changes);
      return outcome;
    }
    changes.push_back(Change{&items[i], found[i]});
  }
  outcome.done = true;
  outcome.report = report;
  return outcome;
}

// Whether a manifest found there names another program than this one.
bool NamesAnotherProgram(const Found& manifest, const std::string& programPath) {
  std::string path;
  return manifest.state == ItemState::kPresent &&
         !(ManifestProgramPath(manifest.content, &path) && path == programPath);
}

}  // namespace

RegistrationOutcome Register(RegistrationStore* store, const std::vector<RegistrationItem>& items) {
  RegistrationOutcome outcome;
  std::vector<Found> found;
  if (!ReadAll(store, items, &found, &outcome.failure)) {
    return outcome;
  }
  std::vector<Action> actions;
  std::vector<std::string> report;
  for (size_t i = 0; i < items.size(); ++i) {
    bool there = found[i].state == ItemState::kPresent && found[i].content == items[i].content;
    actions.push_back(there ? Action::kKeep : Action::kWrite);
    report.push_back(there ? items[i].location + " is registered already"
                           : "wrote " + items[i].location);
  }
  return Apply(store, items, found, actions, report, false);
}

RegistrationOutcome Unregister(RegistrationStore* store, const std::vector<RegistrationItem>& items,
                               const std::string& programPath) {
  RegistrationOutcome outcome;
  std::vector<Found> found;
  if (!ReadAll(store, items, &found, &outcome.failure)) {
    return outcome;
  }
  std::vector<Action> actions;
  std::vector<std::string> report;
  for (size_t i = 0; i < items.size(); ++i) {
    const RegistrationItem& item = items[i];
    bool ours = false;
    if (found[i].state == ItemState::kAbsent) {
      actions.push_back(Action::kKeep);
      report.push_back(item.location + " is not there");
      continue;
    }
    if (!item.isKey) {
      ours = !NamesAnotherProgram(found[i], programPath);
    } else if (found[i].content == item.content) {
      // A key of ours names our manifest; it goes unless that manifest now
      // names another program.
      ours = true;
      for (size_t k = 0; k < items.size(); ++k) {
        if (!items[k].isKey && items[k].location == item.content &&
            NamesAnotherProgram(found[k], programPath)) {
          ours = false;
        }
      }
    }
    actions.push_back(ours ? Action::kRemove : Action::kKeep);
    report.push_back(ours ? "removed " + item.location
                          : item.location + " names another program; left as it is");
  }
  return Apply(store, items, found, actions, report, true);
}

}  // namespace native_host
