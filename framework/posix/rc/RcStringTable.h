// Reading the STRINGTABLE blocks of a resource script (.rc), so that the
// POSIX build can serve the same strings that the Windows build compiles
// into its resources, and writing them out as a C++ table.
//
// Understood: what RcScript.h reads (a "#define NAME number" gives a name to
// an id), STRINGTABLE with its optional memory flags and
// LANGUAGE/VERSION/CHARACTERISTICS statements, BEGIN/END or braces, and
// entries "id [,] string". Anything else inside a STRINGTABLE block is an
// error; other resources are skipped.
#pragma once

#include <string>
#include <vector>

namespace rc_strings {

struct Entry {
  unsigned id;
  std::string text;
};

// headerDirectory: where #include "name" looks. False, with a message
// naming the line, when a string table cannot be read or gives an id twice.
bool ParseStringTables(const std::string& script, const std::string& headerDirectory,
                       std::vector<Entry>* entries, std::string* error);

// A C++ source that registers the entries with the stand-in's LoadStringA.
std::string GenerateSource(const std::vector<Entry>& entries, const std::string& origin);

}  // namespace rc_strings
