// qc_pe_resources manifest PROGRAM.exe
//   prints the application manifest that the program carries (resource
//   type 24, id 1); status 1, with the reason on standard error, when the
//   file is no program or does not carry exactly one manifest resource.
// qc_pe_resources list PROGRAM.exe
//   prints every resource, one line each: type, name, language, size and
//   the bytes in hex, so that two builds' resources can be compared.
// It runs on the build machine, whatever the program's machine type.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/packaging/PeResources.h"

namespace {

std::string IdText(const pe::ResourceId& id) {
  return id.named ? "\"" + id.name + "\"" : std::to_string(id.number);
}

void PrintResource(const pe::Resource& resource) {
  std::printf("%s %s %u %zu ", IdText(resource.type).c_str(), IdText(resource.name).c_str(),
              resource.language, resource.bytes.size());
  for (unsigned char byte : resource.bytes) std::printf("%02x", byte);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc == 3 ? argv[1] : "";
  if (command != "manifest" && command != "list") {
    std::fprintf(stderr, "usage: qc_pe_resources manifest|list PROGRAM.exe\n");
    return 2;
  }
  const char* path = argv[2];
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "qc_pe_resources: %s: cannot read\n", path);
    return 1;
  }
  std::ostringstream image;
  image << in.rdbuf();
  std::vector<pe::Resource> resources;
  std::string error;
  if (!pe::ReadResources(image.str(), &resources, &error)) {
    std::fprintf(stderr, "qc_pe_resources: %s: %s\n", path, error.c_str());
    return 1;
  }
  if (command == "list") {
    for (const pe::Resource& resource : resources) PrintResource(resource);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  std::string manifest;
  if (!pe::FindProgramManifest(resources, &manifest, &error)) {
    std::fprintf(stderr, "qc_pe_resources: %s: %s\n", path, error.c_str());
    return 1;
  }
  std::fwrite(manifest.data(), 1, manifest.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
