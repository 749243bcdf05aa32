// On Windows the browser is a program of its own that DDEML reaches in
// another process. Here DDEML lives inside one process, so such a peer is
// loaded as a module instead: QC_DDE_PEERS names the modules (separated by
// ':'), each exporting `extern "C" int QcDdePeerStart(void)`, which is run
// once, before the program's first DDEML instance opens. A peer arranges its
// own end (atexit) and stays loaded until the program exits; one that fails
// to start gives back what it took first, and is unloaded.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/DdeState.h"

namespace posix_dde {

void LoadPeersOnce() {
  static bool loaded = false;
  if (loaded) {
    return;
  }
  loaded = true;
  const char* peers = std::getenv("QC_DDE_PEERS");
  if (peers == nullptr || *peers == '\0') {
    return;
  }
  // The state must outlive the peers' exit handlers.
  TheState();
  std::string list = peers;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) {
      end = list.size();
    }
    std::string path = list.substr(start, end - start);
    start = end + 1;
    if (path.empty()) {
      continue;
    }
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto peerStart =
        module != nullptr ? reinterpret_cast<int (*)()>(dlsym(module, "QcDdePeerStart")) : nullptr;
    if (peerStart == nullptr || peerStart() == 0) {
      // As a peer program that fails to start: the program runs without it.
      // A start that fails has given back what it took, so the module goes.
      if (module != nullptr) dlclose(module);
      std::fprintf(stderr, "DDE peer %s did not start\n", path.c_str());
    }
  }
}

}  // namespace posix_dde
