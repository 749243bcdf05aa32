#include "platform/posix/Registry.h"

#include <unistd.h>

#include <cstring>

#include "platform/posix/RegistryFile.h"
#include "platform/posix/RegistryHive.h"
#include "platform/posix/RegistryTestHooks.h"

using registry::Hive;
using registry::Key;
using registry::Root;
using registry::Value;

namespace {

// What a handle stands for. A handle names a path, not a node, because the
// hive is read afresh by every call.
struct OpenKey {
  bool used = false;
  Root root = registry::kLocalMachine;
  std::vector<std::string> path;
  REGSAM access = 0;
  bool predefined = false;
};

// Handles of opened keys are small numbers well below the predefined ones.
constexpr uintptr_t kFirstHandle = 0x1000;
constexpr uintptr_t kHandleStep = 4;

std::vector<OpenKey>& Handles() {
  static std::vector<OpenKey> handles;
  return handles;
}

unsigned long callCount = 0;

bool Resolve(HKEY key, OpenKey* target) {
  uintptr_t value = reinterpret_cast<uintptr_t>(key);
  uintptr_t first = reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT);
  if (value >= first && value - first < registry::kRootCount) {
    target->root = static_cast<Root>(value - first);
    target->path.clear();
    target->access = KEY_ALL_ACCESS;
    target->predefined = true;
    return true;
  }
  if (value < kFirstHandle || (value - kFirstHandle) % kHandleStep != 0) return false;
  size_t index = (value - kFirstHandle) / kHandleStep;
  if (index >= Handles().size() || !Handles()[index].used) return false;
  *target = Handles()[index];
  return true;
}

HKEY NewHandle(OpenKey key) {
  key.used = true;
  key.predefined = false;
  std::vector<OpenKey>& handles = Handles();
  size_t index = 0;
  while (index < handles.size() && handles[index].used) ++index;
  if (index == handles.size()) handles.push_back(OpenKey());
  handles[index] = std::move(key);
  return reinterpret_cast<HKEY>(kFirstHandle + index * kHandleStep);
}

// The names of a relative key path. The registry refuses a path that starts
// with a backslash, and passes over empty names elsewhere.
LONG SplitPath(LPCSTR subKey, std::vector<std::string>* names) {
  if (!subKey) return ERROR_SUCCESS;
  if (subKey[0] == '\\') return ERROR_BAD_PATHNAME;
  for (const char* start = subKey; *start;) {
    const char* end = std::strchr(start, '\\');
    if (!end) end = start + std::strlen(start);
    if (end > start) names->emplace_back(start, end);
    start = *end ? end + 1 : end;
  }
  return ERROR_SUCCESS;
}

// A line break in a name would break the hive's text.
bool Storable(const std::string& name) { return name.find_first_of("\r\n") == std::string::npos; }

bool WantsWrite(REGSAM desired) {
  return (desired & ~static_cast<REGSAM>(KEY_READ | KEY_WOW64_64KEY | KEY_WOW64_32KEY)) != 0;
}

// Loads the hive and finds the key a handle stands for.
LONG LoadKey(HKEY handle, REGSAM needed, Hive* hive, Key** key) {
  OpenKey target;
  if (!Resolve(handle, &target)) return ERROR_INVALID_HANDLE;
  if ((target.access & needed) != needed) return ERROR_ACCESS_DENIED;
  LONG error = registry::LoadHive(hive);
  if (error != ERROR_SUCCESS) return error;
  *key = registry::FindKey(*hive, target.root, target.path);
  return *key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

bool IsThisMachine(LPCSTR name) {
  if (!name || !*name) return true;
  if (name[0] == '\\' && name[1] == '\\') name += 2;
  std::string wanted = name;
  if (wanted == ".") return true;
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return false;
  std::string full = host;
  return registry::SameName(wanted, full) ||
         registry::SameName(wanted, full.substr(0, full.find('.')));
}

}  // namespace

unsigned long RegistryCallCount() { return callCount; }

int RegistryOpenHandleCount() {
  int count = 0;
  for (const OpenKey& key : Handles()) count += key.used ? 1 : 0;
  return count;
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  ++callCount;
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::vector<std::string> names;
  LONG error = SplitPath(subKey, &names);
  Hive hive;
  Key* base = nullptr;
  if (error == ERROR_SUCCESS) error = LoadKey(key, 0, &hive, &base);
  if (error != ERROR_SUCCESS) return error;
  for (const std::string& name : names) {
    base = registry::FindSubKey(*base, name);
    if (!base) return ERROR_FILE_NOT_FOUND;
  }
  if (WantsWrite(desired) && !registry::MayWriteHive()) return ERROR_ACCESS_DENIED;

  OpenKey target;
  Resolve(key, &target);
  if (names.empty() && target.predefined) {
    *result = key;
    return ERROR_SUCCESS;
  }
  target.path.insert(target.path.end(), names.begin(), names.end());
  target.access = desired;
  *result = NewHandle(target);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired,
                     const LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  ++callCount;
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::vector<std::string> names;
  LONG error = SplitPath(subKey, &names);
  Hive hive;
  Key* node = nullptr;
  if (error == ERROR_SUCCESS) error = LoadKey(key, 0, &hive, &node);
  if (error != ERROR_SUCCESS) return error;
  OpenKey target;
  Resolve(key, &target);

  bool created = false;
  for (const std::string& name : names) {
    Key* sub = registry::FindSubKey(*node, name);
    if (!sub) {
      if (!(target.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
      if (!Storable(name)) return ERROR_INVALID_PARAMETER;
      node->subKeys.push_back(Key());
      sub = &node->subKeys.back();
      sub->name = name;
      created = true;
    }
    node = sub;
  }
  if ((created || WantsWrite(desired)) && !registry::MayWriteHive()) return ERROR_ACCESS_DENIED;
  if (created) {
    error = registry::SaveHive(hive);
    if (error != ERROR_SUCCESS) return error;
  }
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;

  if (names.empty() && target.predefined) {
    *result = key;
    return ERROR_SUCCESS;
  }
  target.path.insert(target.path.end(), names.begin(), names.end());
  target.access = desired;
  *result = NewHandle(target);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  ++callCount;
  if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  Hive hive;
  Key* node = nullptr;
  LONG error = LoadKey(key, KEY_QUERY_VALUE, &hive, &node);
  if (error != ERROR_SUCCESS) return error;
  const Value* value = registry::FindValue(*node, valueName ? valueName : "");
  if (!value) return ERROR_FILE_NOT_FOUND;

  if (type) *type = value->type;
  DWORD size = static_cast<DWORD>(value->data.size());
  if (data) {
    if (*dataSize < size) {
      *dataSize = size;
      return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->data.data(), size);
  }
  if (dataSize) *dataSize = size;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD dataSize) {
  ++callCount;
  if (!data && dataSize) return ERROR_INVALID_PARAMETER;
  Value value;
  value.name = valueName ? valueName : "";
  value.type = type;
  if (dataSize) value.data.assign(reinterpret_cast<const char*>(data), dataSize);
  if (!Storable(value.name)) return ERROR_INVALID_PARAMETER;

  Hive hive;
  Key* node = nullptr;
  LONG error = LoadKey(key, KEY_SET_VALUE, &hive, &node);
  if (error != ERROR_SUCCESS) return error;
  if (Value* old = registry::FindValue(*node, value.name)) {
    old->type = value.type;
    old->data = value.data;
  } else {
    node->values.push_back(value);
  }
  return registry::SaveHive(hive);
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
  ++callCount;
  Hive hive;
  Key* node = nullptr;
  LONG error = LoadKey(key, KEY_SET_VALUE, &hive, &node);
  if (error != ERROR_SUCCESS) return error;
  const Value* value = registry::FindValue(*node, valueName ? valueName : "");
  if (!value) return ERROR_FILE_NOT_FOUND;
  node->values.erase(node->values.begin() + (value - node->values.data()));
  return registry::SaveHive(hive);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  ++callCount;
  std::vector<std::string> names;
  LONG error = SplitPath(subKey, &names);
  if (error == ERROR_SUCCESS && names.empty()) error = ERROR_INVALID_PARAMETER;
  Hive hive;
  Key* parent = nullptr;
  if (error == ERROR_SUCCESS) error = LoadKey(key, 0, &hive, &parent);
  if (error != ERROR_SUCCESS) return error;
  for (size_t i = 0; i + 1 < names.size() && parent; ++i) {
    parent = registry::FindSubKey(*parent, names[i]);
  }
  const Key* doomed = parent ? registry::FindSubKey(*parent, names.back()) : nullptr;
  if (!doomed) return ERROR_FILE_NOT_FOUND;
  if (!doomed->subKeys.empty()) return ERROR_ACCESS_DENIED;
  parent->subKeys.erase(parent->subKeys.begin() + (doomed - parent->subKeys.data()));
  return registry::SaveHive(hive);
}

LONG RegDeleteKeyExA(HKEY key, LPCSTR subKey, REGSAM, DWORD) { return RegDeleteKeyA(key, subKey); }

LONG RegConnectRegistryA(LPCSTR machineName, HKEY key, PHKEY result) {
  ++callCount;
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (!IsThisMachine(machineName)) return ERROR_BAD_NETPATH;
  OpenKey target;
  if (!Resolve(key, &target)) return ERROR_INVALID_HANDLE;
  *result = target.predefined ? key : NewHandle(target);
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  ++callCount;
  OpenKey target;
  if (!Resolve(key, &target)) return ERROR_INVALID_HANDLE;
  if (!target.predefined) {
    uintptr_t index = (reinterpret_cast<uintptr_t>(key) - kFirstHandle) / kHandleStep;
    Handles()[index] = OpenKey();
  }
  return ERROR_SUCCESS;
}
