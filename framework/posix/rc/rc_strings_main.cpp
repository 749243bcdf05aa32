// qc_rc_strings <script.rc> <output.cpp>: the build step that carries a
// resource script's string table over to the POSIX build.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/posix/rc/RcStringTable.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qc_rc_strings <script.rc> <output.cpp>\n");
    return 2;
  }
  std::string path = argv[1];
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "qc_rc_strings: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream script;
  script << in.rdbuf();
  size_t slash = path.find_last_of('/');
  std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
  std::vector<rc_strings::Entry> entries;
  std::string error;
  if (!rc_strings::ParseStringTables(script.str(), directory, &entries, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string source = rc_strings::GenerateSource(entries, argv[1]);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << source;
  out.close();
  if (!out) {
    std::fprintf(stderr, "qc_rc_strings: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
