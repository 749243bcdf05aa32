// qc_pe_manifest PROGRAM.exe: prints the application manifest that the
// program carries (resource type 24, id 1). Exit status 1, with the reason
// on standard error, when the file is no program or does not carry exactly
// one manifest resource.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/packaging/PeResources.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qc_pe_manifest PROGRAM.exe\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "qc_pe_manifest: %s: cannot read\n", argv[1]);
    return 1;
  }
  std::ostringstream image;
  image << in.rdbuf();
  std::vector<pe::Resource> resources;
  std::string manifest;
  std::string error;
  if (!pe::ReadResources(image.str(), &resources, &error) ||
      !pe::FindProgramManifest(resources, &manifest, &error)) {
    std::fprintf(stderr, "qc_pe_manifest: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::fwrite(manifest.data(), 1, manifest.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
