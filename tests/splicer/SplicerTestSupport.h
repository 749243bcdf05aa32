// Files for the splicer tests: data files, fresh work directories, and
// paths in the form the program under test takes them (on Windows under
// Wine, the Z: drive that stands for "/").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace splicer_test {

// The directory separator the tested target uses.
char Separator();

// A Unix path as the tested target names it.
std::string TargetPath(const std::string& unixPath);

// tests/splicer/data/<name>, read whole.
std::string Data(const std::string& name);

// tests/splicer/data/expected/<name> with the link prefix of the product
// directory that ProductDir() gives put in for "@PRODUCT@".
std::string Expected(const std::string& name);

// The product directory the tests install into, with its final separator.
std::string ProductDir();

// An empty directory of the test's own; returns its target path ending in
// the separator.
std::string FreshDirectory(const std::string& name);

std::optional<std::string> FileBytes(const std::string& path);
void PutFile(const std::string& path, const std::string& bytes);
// The names of the files in a directory, sorted.
std::vector<std::string> FilesIn(const std::string& directory);

// Runs the splicer of the program's application object on these paths.
void RunSplicer(const std::string& bookmarkPath, const std::string& productDir);

// The application object's two buffers after the last run.
std::string AppBookmarkPath();
std::string AppProductDir();

}  // namespace splicer_test
