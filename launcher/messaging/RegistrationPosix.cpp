// Registration natively: manifest files only, under the user's home and
// configuration folders.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "launcher/messaging/HostIdentity.h"
#include "launcher/messaging/HostManifest.h"
#include "launcher/messaging/Registration.h"
#include "launcher/messaging/RegistrationPlan.h"

namespace native_host {

const char kRegisterSwitch[] = "--register";
const char kUnregisterSwitch[] = "--unregister";

namespace {

// Where each browser of the Chromium family looks, below the configuration
// folder.
constexpr const char* kChromiumFolders[] = {"google-chrome", "chromium", "microsoft-edge",
                                            "BraveSoftware/Brave-Browser", "vivaldi"};

std::string ParentOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

class PosixStore : public RegistrationStore {
 public:
  ItemState Read(const RegistrationItem& item, std::string* content) override {
    content->clear();
    int fd = open(item.location.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT || errno == ENOTDIR) {
        return ItemState::kAbsent;
      }
      return NoteError();
    }
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
      content->append(buffer, static_cast<size_t>(got));
    }
    int error = errno;
    close(fd);
    if (got < 0) {
      errno = error;
      return NoteError();
    }
    return ItemState::kPresent;
  }

  // A temporary file beside it, flushed, then renamed into place.
  bool Write(const RegistrationItem& item, const std::string& content) override {
    if (!MakeFolders(ParentOf(item.location))) {
      return false;
    }
    std::string temporary = item.location + ".new";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
      NoteError();
      return false;
    }
    size_t done = 0;
    while (done < content.size()) {
      ssize_t put = write(fd, content.data() + done, content.size() - done);
      if (put < 0 && errno == EINTR) {
        continue;
      }
      if (put <= 0) {
        break;
      }
      done += static_cast<size_t>(put);
    }
    bool written = done == content.size() && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && written) {
      written = false;
      error = errno;
    }
    if (!written || rename(temporary.c_str(), item.location.c_str()) != 0) {
      error = written ? errno : error;
      unlink(temporary.c_str());
      errno = error;
      NoteError();
      return false;
    }
    return true;
  }

  bool Remove(const RegistrationItem& item) override {
    if (unlink(item.location.c_str()) != 0 && errno != ENOENT) {
      NoteError();
      return false;
    }
    // Folders made for the manifest alone go with it; rmdir leaves any
    // that holds something else.
    for (std::string folder = ParentOf(item.location);
         folder.size() > item.keepAbove.size() &&
         folder.compare(0, item.keepAbove.size(), item.keepAbove) == 0 &&
         rmdir(folder.c_str()) == 0;
         folder = ParentOf(folder)) {
    }
    return true;
  }

  std::string Failure() const override { return failure_; }

 private:
  // Keeps errno's text; kUnreadable, for Read's failures.
  ItemState NoteError() {
    failure_ = std::strerror(errno);
    return ItemState::kUnreadable;
  }

  bool MakeFolders(const std::string& folder) {
    struct stat info;
    if (stat(folder.c_str(), &info) == 0) {
      return true;
    }
    if (folder != "/" && !MakeFolders(ParentOf(folder))) {
      return false;
    }
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
      failure_ = folder + ": " + std::strerror(errno);
      return false;
    }
    return true;
  }

  std::string failure_;
};

bool ProgramPath(std::string* path) {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) {
    return false;
  }
  path->assign(buffer, static_cast<size_t>(length));
  return true;
}

// The configuration folder: $XDG_CONFIG_HOME when it is an absolute path,
// else ~/.config.
bool Items(const std::string& programPath, std::vector<RegistrationItem>* items,
           std::string* failure) {
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') {
    *failure = "HOME is not set to an absolute path; nothing changed";
    return false;
  }
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string config = xdg != nullptr && xdg[0] == '/' ? xdg : std::string(home) + "/.config";
  std::string chromium, firefox;
  if (!HostManifestText(BrowserFamily::kChromium, programPath, &chromium) ||
      !HostManifestText(BrowserFamily::kFirefox, programPath, &firefox)) {
    *failure = programPath + ": the program's path is not valid UTF-8; nothing changed";
    return false;
  }
  std::string file = std::string("/") + kHostName + ".json";
  for (const char* folder : kChromiumFolders) {
    items->push_back(RegistrationItem{false, config + "/" + folder + "/NativeMessagingHosts" + file,
                                      chromium, config});
  }
  items->push_back(RegistrationItem{
      false, std::string(home) + "/.mozilla/native-messaging-hosts" + file, firefox, home});
  return true;
}

int Run(bool registering) {
  std::string programPath;
  std::vector<RegistrationItem> items;
  std::string failure;
  RegistrationOutcome outcome;
  if (!ProgramPath(&programPath)) {
    failure = "the program's own path cannot be read; nothing changed";
  } else if (Items(programPath, &items, &failure)) {
    PosixStore store;
    outcome = registering ? Register(&store, items) : Unregister(&store, items, programPath);
    failure = outcome.failure;
  }
  if (!outcome.done) {
    std::fprintf(stderr, "snaplet: %s\n", failure.c_str());
    return 1;
  }
  for (const std::string& line : outcome.report) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace

int RegisterHost() { return Run(true); }

int UnregisterHost() { return Run(false); }

}  // namespace native_host
