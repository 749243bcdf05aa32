// The registry stand-in's hive in memory, and its REGEDIT4 text form.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/Registry.h"

namespace registry {

struct Value {
  std::string name;  // empty for the key's default value
  DWORD type = REG_NONE;
  std::string data;  // the bytes as stored, terminating NUL included if any
};

struct Key {
  std::string name;
  std::vector<Value> values;
  std::vector<Key> subKeys;
};

// The predefined roots, in the order of their handle values.
enum Root { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kRootCount };
extern const char* const kRootNames[kRootCount];

struct Hive {
  Key roots[kRootCount];
};

// Names compare as the registry compares them: without regard to case.
bool SameName(const std::string& a, const std::string& b);
Key* FindSubKey(Key& key, const std::string& name);
Value* FindValue(Key& key, const std::string& name);

// Follows a path of names from a root; null when a key on the way is missing.
Key* FindKey(Hive& hive, Root root, const std::vector<std::string>& path);

// Reads a REGEDIT4 text. False when the text is not one (no header, a line
// that is neither a section, a value, a comment nor blank): the hive is then
// unusable, and must not be written over the file.
bool ParseHive(const std::string& text, Hive* hive);

// The REGEDIT4 text of a hive: every key as a section, depth first, values
// as quoted texts where that form keeps their bytes, else dword: or hex.
std::string FormatHive(const Hive& hive);

}  // namespace registry
