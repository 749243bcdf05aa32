#include "testing/RegistryScratch.h"

#include <cstdio>
#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {
constexpr const char kVariable[] = "QC_REGISTRY_FILE";
}

RegistryScratch::RegistryScratch(REGSAM view) : view(view) {
#ifndef _WIN32
  const char* old = std::getenv(kVariable);
  hadVariable = old != nullptr;
  if (old) oldVariable = old;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qc-registry-XXXXXX";
  // Without a hive of its own a test would change the user's registry.
  if (!mkdtemp(&pattern[0])) {
    std::perror("RegistryScratch: mkdtemp");
    std::abort();
  }
  directory = pattern;
  hive = directory + "/registry.reg";
  setenv(kVariable, hive.c_str(), 1);
#endif
}

RegistryScratch::~RegistryScratch() {
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    if (entry->isKey) {
      RegDeleteKeyExA(entry->root, entry->path.c_str(), view, 0);
      continue;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(entry->root, entry->path.c_str(), 0, KEY_SET_VALUE | view, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, entry->value.c_str());
      RegCloseKey(key);
    }
  }
#ifndef _WIN32
  unlink(hive.c_str());
  rmdir(directory.c_str());
  if (hadVariable) {
    setenv(kVariable, oldVariable.c_str(), 1);
  } else {
    unsetenv(kVariable);
  }
#endif
}

bool RegistryScratch::CreateKey(HKEY root, const std::string& path) {
  // One level at a time, to learn which keys are new and must go at the end.
  for (size_t end = 0; end != std::string::npos;) {
    end = path.find('\\', end + 1);
    std::string part = path.substr(0, end);
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(root, part.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | view, nullptr, &key, &disposition) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) RemoveAtEnd(root, part);
  }
  return true;
}

bool RegistryScratch::SetBytes(HKEY root, const std::string& path, const char* name, DWORD type,
                               const void* data, DWORD size) {
  if (!CreateKey(root, path)) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE | view, &key) != ERROR_SUCCESS) return false;
  LONG result = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  entries.push_back(Entry{root, path, name ? name : "", false});
  return result == ERROR_SUCCESS;
}

bool RegistryScratch::SetString(HKEY root, const std::string& path, const char* name,
                                const std::string& text) {
  return SetBytes(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void RegistryScratch::RemoveAtEnd(HKEY root, const std::string& path) {
  entries.push_back(Entry{root, path, "", true});
}
