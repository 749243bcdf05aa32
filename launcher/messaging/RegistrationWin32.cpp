// Registration on Windows: the manifests in %LOCALAPPDATA%\Quillary and
// the keys under HKEY_CURRENT_USER that name them. Silent, as the programs
// are on Windows: the exit status tells the outcome.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/messaging/HostIdentity.h"
#include "launcher/messaging/HostManifest.h"
#include "launcher/messaging/Registration.h"
#include "launcher/messaging/RegistrationPlan.h"
#include "launcher/messaging/WideText.h"

namespace native_host {

const char kRegisterSwitch[] = "/register";
const char kUnregisterSwitch[] = "/unregister";

namespace {

struct HostKey {
  const char* parent;  // below HKEY_CURRENT_USER
  BrowserFamily family;
};

// Chrome's key is read by Chrome, Brave, Vivaldi and Opera, and by Edge
// when its own is missing.
constexpr HostKey kHostKeys[] = {
    {"Software\\Google\\Chrome\\NativeMessagingHosts", BrowserFamily::kChromium},
    {"Software\\Microsoft\\Edge\\NativeMessagingHosts", BrowserFamily::kChromium},
    {"Software\\Chromium\\NativeMessagingHosts", BrowserFamily::kChromium},
    {"Software\\Mozilla\\NativeMessagingHosts", BrowserFamily::kFirefox},
};

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  WideFromUtf8(text, &wide);
  return wide;
}

std::string ParentOf(const std::string& path) {
  size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

bool IsBelow(const std::string& path, const std::string& top) {
  return path.size() > top.size() + 1 && path.compare(0, top.size(), top) == 0 &&
         path[top.size()] == '\\';
}

class Win32Store : public RegistrationStore {
 public:
  ItemState Read(const RegistrationItem& item, std::string* content) override {
    content->clear();
    return item.isKey ? ReadKey(item, content) : ReadManifest(item, content);
  }

  bool Write(const RegistrationItem& item, const std::string& content) override {
    return item.isKey ? WriteKey(item, content) : WriteManifest(item, content);
  }

  bool Remove(const RegistrationItem& item) override {
    return item.isKey ? RemoveKey(item) : RemoveManifest(item);
  }

  std::string Failure() const override { return failure_; }

 private:
  bool Fail(DWORD error) {
    failure_ = "error " + std::to_string(error);
    return false;
  }

  ItemState ReadManifest(const RegistrationItem& item, std::string* content) {
    HANDLE file = ::CreateFileW(Wide(item.location).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      DWORD error = ::GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return ItemState::kAbsent;
      }
      Fail(error);
      return ItemState::kUnreadable;
    }
    char buffer[4096];
    DWORD got = 0;
    BOOL read = FALSE;
    while ((read = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) {
      content->append(buffer, got);
    }
    DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (!read) {
      Fail(error);
      return ItemState::kUnreadable;
    }
    return ItemState::kPresent;
  }

  bool MakeFolders(const std::string& folder) {
    DWORD attributes = ::GetFileAttributesW(Wide(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return true;
    }
    std::string parent = ParentOf(folder);
    if (!parent.empty() && !MakeFolders(parent)) {
      return false;
    }
    if (!::CreateDirectoryW(Wide(folder).c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
      return Fail(::GetLastError());
    }
    return true;
  }

  // A temporary file beside it, flushed, then moved into its place.
  bool WriteManifest(const RegistrationItem& item, const std::string& content) {
    if (!MakeFolders(ParentOf(item.location))) {
      return false;
    }
    std::wstring temporary = Wide(item.location + ".new");
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return Fail(::GetLastError());
    }
    DWORD put = 0;
    bool written =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &put, nullptr) &&
        put == content.size() && ::FlushFileBuffers(file);
    DWORD error = ::GetLastError();
    written = ::CloseHandle(file) && written;
    if (!written || !::MoveFileExW(temporary.c_str(), Wide(item.location).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      error = written ? ::GetLastError() : error;
      ::DeleteFileW(temporary.c_str());
      return Fail(error);
    }
    return true;
  }

  // The folder made for the manifests goes when they leave it empty.
  bool RemoveManifest(const RegistrationItem& item) {
    if (!::DeleteFileW(Wide(item.location).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND &&
        ::GetLastError() != ERROR_PATH_NOT_FOUND) {
      return Fail(::GetLastError());
    }
    for (std::string folder = ParentOf(item.location);
         IsBelow(folder, item.keepAbove) && ::RemoveDirectoryW(Wide(folder).c_str());
         folder = ParentOf(folder)) {
    }
    return true;
  }

  ItemState ReadKey(const RegistrationItem& item, std::string* content) {
    HKEY key = nullptr;
    LONG status =
        ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(item.location).c_str(), 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND) {
      return ItemState::kAbsent;
    }
    if (status != ERROR_SUCCESS) {
      Fail(static_cast<DWORD>(status));
      return ItemState::kUnreadable;
    }
    // A key without a default value names nothing: present, empty.
    DWORD type = REG_NONE;
    DWORD size = 0;
    status = ::RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size);
    std::wstring value;
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
      value.resize(size / sizeof(wchar_t) + 1);
      size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
      status = ::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                                  &size);
      value.resize(status == ERROR_SUCCESS ? size / sizeof(wchar_t) : 0);
      while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
      }
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      Fail(static_cast<DWORD>(status));
      return ItemState::kUnreadable;
    }
    Utf8FromWide(value, content);
    return ItemState::kPresent;
  }

  bool WriteKey(const RegistrationItem& item, const std::string& content) {
    HKEY key = nullptr;
    LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(item.location).c_str(), 0, nullptr, 0,
                                    KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
      return Fail(static_cast<DWORD>(status));
    }
    std::wstring value = Wide(content);
    status = ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS || Fail(static_cast<DWORD>(status));
  }

  // Parent keys go when the key leaves them with neither keys nor values.
  bool RemoveKey(const RegistrationItem& item) {
    LONG status = ::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(item.location).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
      return Fail(static_cast<DWORD>(status));
    }
    for (std::string parent = ParentOf(item.location); IsBelow(parent, item.keepAbove);
         parent = ParentOf(parent)) {
      HKEY key = nullptr;
      if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(parent).c_str(), 0, KEY_QUERY_VALUE, &key) !=
          ERROR_SUCCESS) {
        break;
      }
      DWORD subkeys = 1;
      DWORD values = 1;
      ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
      ::RegCloseKey(key);
      if (subkeys != 0 || values != 0 ||
          ::RegDeleteKeyW(HKEY_CURRENT_USER, Wide(parent).c_str()) != ERROR_SUCCESS) {
        break;
      }
    }
    return true;
  }

  std::string failure_;
};

bool ProgramPath(std::string* path) {
  std::wstring wide(32768, L'\0');
  DWORD length = ::GetModuleFileNameW(nullptr, &wide[0], static_cast<DWORD>(wide.size()));
  if (length == 0 || length >= wide.size()) {
    return false;
  }
  wide.resize(length);
  return Utf8FromWide(wide, path);
}

bool Items(const std::string& programPath, std::vector<RegistrationItem>* items) {
  wchar_t localAppData[MAX_PATH];
  DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", localAppData, MAX_PATH);
  std::string base;
  if (length == 0 || length >= MAX_PATH || !Utf8FromWide(localAppData, &base)) {
    return false;
  }
  std::string folder = base + "\\Quillary\\";
  std::string chromiumPath = folder + kHostName + "-chromium.json";
  std::string firefoxPath = folder + kHostName + "-firefox.json";
  std::string chromium, firefox;
  if (!HostManifestText(BrowserFamily::kChromium, programPath, &chromium) ||
      !HostManifestText(BrowserFamily::kFirefox, programPath, &firefox)) {
    return false;
  }
  items->push_back(RegistrationItem{false, chromiumPath, chromium, base});
  items->push_back(RegistrationItem{false, firefoxPath, firefox, base});
  for (const HostKey& key : kHostKeys) {
    items->push_back(RegistrationItem{
        true, std::string(key.parent) + "\\" + kHostName,
        key.family == BrowserFamily::kChromium ? chromiumPath : firefoxPath, "Software"});
  }
  return true;
}

int Run(bool registering) {
  std::string programPath;
  std::vector<RegistrationItem> items;
  if (!ProgramPath(&programPath) || !Items(programPath, &items)) {
    return 1;
  }
  Win32Store store;
  RegistrationOutcome outcome =
      registering ? Register(&store, items) : Unregister(&store, items, programPath);
  return outcome.done ? 0 : 1;
}

}  // namespace

int RegisterHost() { return Run(true); }

int UnregisterHost() { return Run(false); }

}  // namespace native_host
