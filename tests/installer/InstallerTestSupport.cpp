#include "tests/installer/InstallerTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "installer/shared/PathConvention.h"

namespace fs = std::filesystem;

namespace installer_test {

namespace {

std::string Data(const std::string& name) {
  return FileBytes(TargetPath(INSTALLER_DATA_DIR "/" + name)).value_or("<missing " + name + ">");
}

}  // namespace

char Separator() { return installer::shared::kDirSeparator; }

std::string WithSeparators(std::string text) {
  std::replace(text.begin(), text.end(), '|', Separator());
  return text;
}

std::string TargetPath(const std::string& unixPath) {
  if (Separator() == '/') {
    return unixPath;
  }
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string FreshDirectory(const std::string& name) {
  fs::path directory = fs::path(TargetPath(INSTALLER_WORK_DIR)) / name;
  std::error_code ignored;
  fs::remove_all(directory, ignored);
  fs::create_directories(directory);
  return directory.string() + Separator();
}

std::string FreshProfile(const std::string& name) {
  std::string directory = FreshDirectory(name);
  std::ofstream(directory + "bookmark.htm", std::ios::binary) << OriginalBookmarks();
  std::ofstream(directory + "prefs.js", std::ios::binary) << Data("prefs-work.js");
  return directory;
}

std::optional<std::string> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string OriginalBookmarks() { return Data("bookmark.htm"); }

std::string SplicedBookmarks(const std::string& productDir) {
  std::string text = Data("expected/work.htm");
  const std::string placeholder = "@PRODUCT@";
  const std::string link = installer::shared::kLinkPrefix + productDir;
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + link.size())) {
    text.replace(at, placeholder.size(), link);
  }
  return text;
}

}  // namespace installer_test
