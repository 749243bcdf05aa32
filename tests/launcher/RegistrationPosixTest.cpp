// snaplet --register and --unregister natively, run from a folder whose
// name holds a blank and a backslash, with HOME and XDG_CONFIG_HOME in a
// scratch folder of the test's.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "tests/launcher/ExpectedManifest.h"

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

class HostRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "qc_registration_XXXXXX";
    char here[4096];
    ASSERT_NE(mkdtemp(pattern), nullptr);
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    scratch_ = std::string(here) + "/" + pattern;
    home_ = scratch_ + "/home";
    config_ = scratch_ + "/config";
    program_ = scratch_ + "/Quill ary\\x/snaplet";
    ASSERT_EQ(mkdir(home_.c_str(), 0755) | mkdir((scratch_ + "/Quill ary\\x").c_str(), 0755), 0);
    std::ofstream(program_) << std::ifstream(QC_SNAPLET_PROGRAM).rdbuf();
    ASSERT_EQ(chmod(program_.c_str(), 0755), 0);
    for (const char* folder : {"google-chrome", "chromium", "microsoft-edge",
                               "BraveSoftware/Brave-Browser", "vivaldi"}) {
      manifests_.push_back(config_ + "/" + folder + "/NativeMessagingHosts/quillary.snaplet.json");
    }
    manifests_.push_back(home_ + "/.mozilla/native-messaging-hosts/quillary.snaplet.json");
  }

  void TearDown() override { EXPECT_EQ(std::system(("rm -rf '" + scratch_ + "'").c_str()), 0); }

  // The exit status; standard output and error, line by line.
  int Snaplet(const char* argument, std::vector<std::string>* out = nullptr,
              std::vector<std::string>* errors = nullptr) {
    const std::string errorFile = scratch_ + "/stderr.txt";
    pid_t child = fork();
    if (child == 0) {
      setenv("HOME", home_.c_str(), 1);
      setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
      if (freopen(errorFile.c_str(), "w", stderr) == nullptr ||
          freopen((scratch_ + "/stdout.txt").c_str(), "w", stdout) == nullptr) {
        _exit(126);
      }
      execl(program_.c_str(), program_.c_str(), argument, static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (out != nullptr) *out = Lines(ReadAll(scratch_ + "/stdout.txt"));
    if (errors != nullptr) *errors = Lines(ReadAll(errorFile));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Expected(size_t i) const {
    return ExpectedManifest(i < 5 ? "chromium" : "firefox", program_);
  }

  std::string scratch_, home_, config_, program_;
  std::vector<std::string> manifests_;
};

TEST_F(HostRegistration, TwiceEachRegistersOnceAndRemovesAllButAnotherProgramsManifest) {
  std::vector<std::string> out;
  std::vector<ino_t> written(6);
  for (const char* wrote : {"wrote ", ""}) {
    ASSERT_EQ(Snaplet("--register", &out), 0);
    for (size_t i = 0; i < 6; ++i) {
      struct stat info {};
      stat(manifests_[i].c_str(), &info);
      EXPECT_EQ(out[i], *wrote ? wrote + manifests_[i] : manifests_[i] + " is registered already");
      EXPECT_EQ(ReadAll(manifests_[i]), Expected(i)) << manifests_[i];
      EXPECT_TRUE(*wrote || info.st_ino == written[i]) << "written anew: " << manifests_[i];
      written[i] = info.st_ino;
    }
  }
  const std::string other = ExpectedManifest("chromium", "/opt/other/snaplet");
  std::ofstream(manifests_[0]) << other;
  for (const char* removed : {"removed ", ""}) {
    ASSERT_EQ(Snaplet("--unregister", &out), 0);
    EXPECT_EQ(out[0], manifests_[0] + " names another program; left as it is");
    EXPECT_EQ(out[1], *removed ? removed + manifests_[1] : manifests_[1] + " is not there");
    EXPECT_EQ(ReadAll(manifests_[0]), other);
    for (size_t i = 1; i < 6; ++i) EXPECT_FALSE(Exists(manifests_[i])) << manifests_[i];
    // The folders made for the manifests went with them.
    EXPECT_FALSE(Exists(config_ + "/BraveSoftware") || Exists(home_ + "/.mozilla"));
  }
}

TEST_F(HostRegistration, AFailureIsToldOnStandardErrorAndUndoesTheRest) {
  // The last manifest cannot be written: its folder's place is a file.
  std::ofstream(home_ + "/.mozilla") << "not a folder";
  std::vector<std::string> out, errors;
  EXPECT_EQ(Snaplet("--register", &out, &errors), 1);
  EXPECT_TRUE(out.empty());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("snaplet: " + manifests_[5] + ": ", 0), 0u) << errors[0];
  EXPECT_NE(errors[0].find("; nothing changed"), std::string::npos) << errors[0];
  for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(Exists(manifests_[i])) << manifests_[i];
  EXPECT_FALSE(Exists(config_ + "/vivaldi"));
}

}  // namespace
