// snaplet --register and --unregister natively, run from a folder whose
// name holds a blank and a backslash, with HOME and XDG_CONFIG_HOME in a
// scratch folder of the test's.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "testing/ControlTestSupport.h"
#include "testing/HostProcess.h"
#include "tests/launcher/ExpectedManifest.h"

namespace {

const char* const kChromiumFolders[] = {"google-chrome", "chromium", "microsoft-edge",
                                        "BraveSoftware/Brave-Browser", "vivaldi"};

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "qc_registration_XXXXXX";
    char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    char* absolute = realpath(made, nullptr);
    scratch_ = absolute;
    std::free(absolute);
    home_ = scratch_ + "/home";
    config_ = scratch_ + "/config";
    ASSERT_EQ(mkdir(home_.c_str(), 0755), 0);
    std::string folder = scratch_ + "/Quill ary\\x";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    program_ = folder + "/snaplet";
    std::ofstream(program_, std::ios::binary)
        << std::ifstream(QC_SNAPLET_PROGRAM, std::ios::binary).rdbuf();
    ASSERT_EQ(chmod(program_.c_str(), 0755), 0);
    control_test::SetEnvironment("HOME", home_.c_str());
    control_test::SetEnvironment("XDG_CONFIG_HOME", config_.c_str());
  }

  void TearDown() override {
    control_test::SetEnvironment("HOME", originalHome_.c_str());
    control_test::SetEnvironment("XDG_CONFIG_HOME",
                                 originalXdg_.empty() ? nullptr : originalXdg_.c_str());
    std::system(("rm -rf '" + scratch_ + "'").c_str());
  }

  // The program's exit status; its standard output and error lines.
  int Snaplet(const char* argument, std::vector<std::string>* out = nullptr,
              std::vector<std::string>* errors = nullptr) {
    std::string errorFile = scratch_ + "/stderr.txt";
    int saved = dup(2);
    int file = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
    host_process::HostRun run =
        host_process::RunHost(program_, {argument}, "", host_process::StartStyle::kDirect, 30000);
    dup2(saved, 2);
    close(saved);
    if (out != nullptr) *out = Lines(run.output);
    if (errors != nullptr) *errors = Lines(ReadAll(errorFile));
    return run.exitCode;
  }

  std::vector<std::string> Manifests() const {
    std::vector<std::string> paths;
    for (const char* folder : kChromiumFolders) {
      paths.push_back(config_ + "/" + folder + "/NativeMessagingHosts/quillary.snaplet.json");
    }
    paths.push_back(home_ + "/.mozilla/native-messaging-hosts/quillary.snaplet.json");
    return paths;
  }

  std::string Expected(size_t i) const {
    return ExpectedManifest(i + 1 < Manifests().size() ? "chromium" : "firefox", program_);
  }

  static std::string Environment(const char* name) {
    return std::getenv(name) != nullptr ? std::getenv(name) : "";
  }
  const std::string originalHome_ = Environment("HOME");
  const std::string originalXdg_ = Environment("XDG_CONFIG_HOME");
  std::string scratch_, home_, config_, program_;
};

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

TEST_F(Registration, WritesEachManifestOnceAndTheSecondRunChangesNothing) {
  std::vector<std::string> out;
  ASSERT_EQ(Snaplet("--register", &out), 0);
  ASSERT_EQ(out.size(), 6u);
  std::vector<struct stat> written(6);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(out[i], "wrote " + Manifests()[i]);
    EXPECT_EQ(ReadAll(Manifests()[i]), Expected(i)) << Manifests()[i];
    stat(Manifests()[i].c_str(), &written[i]);
  }
  ASSERT_EQ(Snaplet("--register", &out), 0);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(out[i], Manifests()[i] + " is registered already");
    struct stat again;
    stat(Manifests()[i].c_str(), &again);
    EXPECT_EQ(again.st_ino, written[i].st_ino) << "rewritten: " << Manifests()[i];
  }
}

TEST_F(Registration, WithoutXdgConfigHomeTheChromiumFamilyIsRegisteredUnderDotConfig) {
  control_test::SetEnvironment("XDG_CONFIG_HOME", nullptr);
  ASSERT_EQ(Snaplet("--register"), 0);
  EXPECT_EQ(ReadAll(home_ + "/.config/chromium/NativeMessagingHosts/quillary.snaplet.json"),
            Expected(0));
}

TEST_F(Registration, UnregisterRemovesWhatNamesThisProgramAndLeavesAnotherOnesManifest) {
  ASSERT_EQ(Snaplet("--register"), 0);
  const std::string other = ExpectedManifest("chromium", "/opt/other/snaplet");
  std::ofstream(Manifests()[0], std::ios::binary) << other;
  std::vector<std::string> out;
  for (const char* removed : {"removed ", ""}) {
    SCOPED_TRACE(removed);
    ASSERT_EQ(Snaplet("--unregister", &out), 0);
    EXPECT_EQ(out[0], Manifests()[0] + " names another program; left as it is");
    EXPECT_EQ(out[1], *removed ? "removed " + Manifests()[1] : Manifests()[1] + " is not there");
    EXPECT_EQ(ReadAll(Manifests()[0]), other);
    for (size_t i = 1; i < 6; ++i) EXPECT_FALSE(Exists(Manifests()[i])) << Manifests()[i];
    // The folders made for the manifests went with them.
    EXPECT_FALSE(Exists(config_ + "/BraveSoftware"));
    EXPECT_FALSE(Exists(home_ + "/.mozilla"));
  }
}

TEST_F(Registration, AFailureIsToldOnStandardErrorAndUndoesTheRest) {
  // The last manifest cannot be written: its folder's place is a file.
  std::ofstream(home_ + "/.mozilla") << "not a folder";
  std::vector<std::string> out, errors;
  EXPECT_EQ(Snaplet("--register", &out, &errors), 1);
  EXPECT_TRUE(out.empty());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind("snaplet: " + Manifests()[5] + ": ", 0), 0u) << errors[0];
  EXPECT_NE(errors[0].find("; nothing changed"), std::string::npos) << errors[0];
  for (const char* folder : kChromiumFolders) {
    EXPECT_FALSE(Exists(config_ + "/" + folder)) << folder;
  }
}

}  // namespace
