#include "tests/splicer/SplicerTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "installer/InstallerApp.h"

namespace fs = std::filesystem;

namespace splicer_test {

namespace {

#ifdef _WIN32
constexpr char kProductDir[] = "C:\\Program Files\\Quillary\\";
constexpr char kProductLink[] = "file:///C:\\Program Files\\Quillary\\";
#else
constexpr char kProductDir[] = "/opt/Program Files/Quillary/";
constexpr char kProductLink[] = "file:///opt/Program Files/Quillary/";
#endif

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

InstallerApp& App() { return *static_cast<InstallerApp*>(AfxGetApp()); }

}  // namespace

char Separator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

std::string TargetPath(const std::string& unixPath) {
#ifdef _WIN32
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
#else
  return unixPath;
#endif
}

std::string Data(const std::string& name) {
  std::optional<std::string> bytes = FileBytes(TargetPath(SPLICER_DATA_DIR "/" + name));
  EXPECT_TRUE(bytes.has_value()) << "missing data file " << name;
  return bytes.value_or("");
}

std::string Expected(const std::string& name) {
  return Replaced(Data("expected/" + name), "@PRODUCT@", kProductLink);
}

std::string ProductDir() { return kProductDir; }

std::string FreshDirectory(const std::string& name) {
  fs::path directory = fs::path(TargetPath(SPLICER_WORK_DIR)) / name;
  // A read-only file left by an earlier run would stop the removal on Windows.
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(directory, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
  fs::remove_all(directory);
  fs::create_directories(directory);
  return directory.string() + Separator();
}

std::optional<std::string> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void RunSplicer(const std::string& bookmarkPath, const std::string& productDir) {
  InstallerApp& app = App();
  ASSERT_LT(bookmarkPath.size(), sizeof app.bookmarkPath);
  ASSERT_LT(productDir.size(), sizeof app.productDir);
  std::memset(app.bookmarkPath, 0, sizeof app.bookmarkPath);
  std::memset(app.productDir, 0, sizeof app.productDir);
  std::memcpy(app.bookmarkPath, bookmarkPath.data(), bookmarkPath.size());
  std::memcpy(app.productDir, productDir.data(), productDir.size());
  app.BookmarkSplicer();
}

std::string AppBookmarkPath() { return App().bookmarkPath; }
std::string AppProductDir() { return App().productDir; }

}  // namespace splicer_test
