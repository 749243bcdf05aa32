// The registry stand-in's reader of its REGEDIT4 file (the native programs
// read it from the user's home directory) on any text. A text it takes is
// written out again in a form that reads back to the same text: nothing of
// a key or value is lost between reading and writing the file.
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "platform/posix/RegistryHive.h"

using fuzz_input::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  registry::Hive hive;
  if (!registry::ParseHive(text, &hive)) {
    return 0;
  }
  std::string written = registry::FormatHive(hive);
  registry::Hive reread;
  Check(registry::ParseHive(written, &reread), "a written hive reads back");
  Check(registry::FormatHive(reread) == written, "a written hive reads back unchanged");
  return 0;
}
