// What registration and its removal do, whatever the platform keeps them in:
// every item is read first; then the changes are made one by one, and when
// one fails those made before it are undone, so that a run changes
// everything it should or nothing. Running either twice changes nothing more.
#pragma once

#include <string>
#include <vector>

namespace native_host {

// One thing registration makes: a host manifest file, or (Windows) a
// registry key whose default value is a manifest's path.
struct RegistrationItem {
  bool isKey = false;
  std::string location;   // the file's path, or the key's path under HKEY_CURRENT_USER
  std::string content;    // the manifest's text, or the path of the manifest the key names
  std::string keepAbove;  // removal takes the parents it empties, up to (not including) this one
};

enum class ItemState { kAbsent, kPresent, kUnreadable };

// The platform's side: files and registry keys.
class RegistrationStore {
 public:
  virtual ~RegistrationStore() = default;
  virtual ItemState Read(const RegistrationItem& item, std::string* content) = 0;
  // The content whole or not at all, with any parents that are missing.
  virtual bool Write(const RegistrationItem& item, const std::string& content) = 0;
  // The item, then the parents it leaves empty below item.keepAbove.
  virtual bool Remove(const RegistrationItem& item) = 0;
  // Why the last call failed, for the report.
  virtual std::string Failure() const = 0;
};

struct RegistrationOutcome {
  bool done = false;
  std::vector<std::string> report;  // when done: one line per item, what became of it
  std::string failure;              // when not done: what failed, and that nothing changed
                                    // (or what could not be put back)
};

// Writes every item that does not hold its content already.
RegistrationOutcome Register(RegistrationStore* store, const std::vector<RegistrationItem>& items);

// Removes every item that is this program's: a manifest whose path is
// programPath, a key that names such a manifest (or one that is not there).
// One that names another program stays.
RegistrationOutcome Unregister(RegistrationStore* store, const std::vector<RegistrationItem>& items,
                               const std::string& programPath);

}  // namespace native_host
