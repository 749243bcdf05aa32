#include "tests/splicer/FaultyFileCallsPosix.h"

#include <errno.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/posix/FileTestHooks.h"

namespace fault_test {

int calls = 0;
int writes = 0;
std::vector<std::string> callNames;

namespace {

using posix_files::DefaultSystemCalls;

FaultPlan plan;

bool FailsNow(const char* name, int error) {
  callNames.push_back(name);
  if (++calls == plan.hookAt && plan.hook) {
    plan.hook();
  }
  if (calls == plan.abortAtCall) {
    abort();
  }
  if (calls != plan.failAt) {
    return false;
  }
  errno = error;
  return true;
}

const posix_files::SystemCalls kFaultyCalls = {
    [](const char* p, int f, mode_t m) {
      return FailsNow("open", EACCES) ? -1 : DefaultSystemCalls().open(p, f, m);
    },
    [](int fd) {
      if (FailsNow("close", EIO)) {
        DefaultSystemCalls().close(fd);  // the descriptor is gone all the same
        return -1;
      }
      return DefaultSystemCalls().close(fd);
    },
    [](int fd, void* b, size_t n) -> ssize_t {
      return FailsNow("read", EIO) ? -1 : DefaultSystemCalls().read(fd, b, n);
    },
    [](int fd, const void* b, size_t n) -> ssize_t {
      if (++writes == plan.abortAtWrite) {
        if (plan.halfWriteBeforeAbort && n > 1) DefaultSystemCalls().write(fd, b, n / 2);
        abort();
      }
      return FailsNow("write", ENOSPC) ? -1 : DefaultSystemCalls().write(fd, b, n);
    },
    [](int fd, struct stat* s) {
      return FailsNow("fstat", EIO) ? -1 : DefaultSystemCalls().fstat(fd, s);
    },
    [](const char* p, struct stat* s) {
      return FailsNow("stat", EIO) ? -1 : DefaultSystemCalls().stat(p, s);
    },
    [](int fd) { return FailsNow("fsync", EIO) ? -1 : DefaultSystemCalls().fsync(fd); },
    [](int fd, mode_t m) {
      return FailsNow("fchmod", EPERM) ? -1 : DefaultSystemCalls().fchmod(fd, m);
    },
    [](const char* p, mode_t m) {
      return FailsNow("chmod", EPERM) ? -1 : DefaultSystemCalls().chmod(p, m);
    },
    [](const char* a, const char* b) {
      return FailsNow("rename", EIO) ? -1 : DefaultSystemCalls().rename(a, b);
    },
    [](const char* a, const char* b) {
      return FailsNow("renameNoReplace", EIO) ? -1 : DefaultSystemCalls().renameNoReplace(a, b);
    },
    [](const char* p) { return FailsNow("unlink", EBUSY) ? -1 : DefaultSystemCalls().unlink(p); },
    [](int in, int out, size_t n) -> ssize_t {
      return FailsNow("copyFileRange", EIO) ? -1 : DefaultSystemCalls().copyFileRange(in, out, n);
    },
};

}  // namespace

void BeginRun(const FaultPlan& runPlan) {
  plan = runPlan;
  calls = 0;
  writes = 0;
  callNames.clear();
  posix_files::systemCalls = kFaultyCalls;
}

void EndRun() { posix_files::systemCalls = DefaultSystemCalls(); }

bool EndsByAbort(const std::function<void()>& run) {
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) {
    return false;
  }
  if (child == 0) {
    struct rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    run();
    _exit(0);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT;
}

int AgeTemporaryFiles(const std::string& directory) {
  namespace fs = std::filesystem;
  int aged = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    if (entry.path().filename().string().rfind("bkmk-", 0) == 0) {
      fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
      ++aged;
    }
  }
  return aged;
}

}  // namespace fault_test
