// Where the registry stand-in's hive lives, and reading and writing it.
#pragma once

#include <string>

#include "platform/posix/RegistryHive.h"

namespace registry {

// QC_REGISTRY_FILE when set and not empty, else $HOME/.quillary/registry.reg.
std::string HivePath();

// Whether this process may change the hive file (see Registry.h).
bool MayWriteHive();

// ERROR_SUCCESS with the hive read; a missing or empty file is an empty hive.
LONG LoadHive(Hive* hive);

// Replaces the file with the hive's text in one step: a temporary file beside
// it, written whole and flushed, then renamed over it. ERROR_ACCESS_DENIED
// when MayWriteHive is false.
LONG SaveHive(const Hive& hive);

}  // namespace registry
