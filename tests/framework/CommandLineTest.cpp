// The argument text that the framework hands the application object: the
// command line after the program's name and the blanks and control
// characters that follow it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/WinApp.h"

#ifdef _WIN32
#include <windows.h>

#include "testing/ProcessStart.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

struct SkipRow {
  const char* name;
  const char* commandLine;
  const char* arguments;
};

TEST(CommandLine, SkipsTheProgramNameAndTheBlanksAfterIt) {
  const std::vector<SkipRow> rows = {
      {"plain name", "snaplet.exe x1", "x1"},
      {"quoted name with a blank", "\"C:\\Program Files\\Q\\snaplet.exe\" x1", "x1"},
      {"quoted name, no blank after it", "\"C:\\a b\\f.exe\"x1", "x1"},
      {"tabs and blanks after the name", "f.exe \t  x1 y", "x1 y"},
      {"control characters after the name", "f.exe\x01\x02x1", "x1"},
      {"no arguments", "f.exe", ""},
      {"only blanks after the name", "f.exe   ", ""},
      {"quotes inside the arguments stay", "f.exe \"a b\" c", "\"a b\" c"},
      {"trailing blanks of the arguments stay", "f.exe a b  ", "a b  "},
      {"empty line", "", ""},
  };
  for (const SkipRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_STREQ(AfxSkipProgramName(row.commandLine), row.arguments);
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ProbeOutput() {
#ifdef _WIN32
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + "qc_probe_out.txt";
#else
  return "/tmp/qc_probe_out_" + std::to_string(getpid()) + ".txt";
#endif
}

#ifdef _WIN32
// Runs the probe with this exact command line (program name included).
std::string RunProbe(const std::string& commandLine) {
  std::string out = ProbeOutput();
  DeleteFileA(out.c_str());
  SetEnvironmentVariableA("QC_PROBE_OUT", out.c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!process_start::StartProcess(QC_PROBE_PATH, commandLine, FALSE, &startup, &process)) {
    return "<not started>";
  }
  DWORD waited = WaitForSingleObject(process.hProcess, 30000);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string text = ReadFile(out);
  DeleteFileA(out.c_str());
  return text;
}

struct ProbeRow {
  const char* name;
  const char* commandLine;
  const char* handedOver;
};

TEST(CommandLine, ProgramReceivesTheArgumentsAfterItsName) {
  const std::vector<ProbeRow> rows = {
      {"plain", "probe.exe x1", "[x1]"},
      {"quoted program name with blanks", "\"C:\\Some Dir\\probe.exe\" x1 y", "[x1 y]"},
      {"tab and blanks before the arguments", "probe.exe \t  x1", "[x1]"},
      {"no arguments", "probe.exe", "[]"},
      {"two blanks inside the arguments stay", "probe.exe a  b", "[a  b]"},
  };
  for (const ProbeRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(RunProbe(row.commandLine), row.handedOver);
  }
}

TEST(CommandLine, ProgramReceivesItsArgumentsOneByOneToo) {
  SetEnvironmentVariableA("QC_PROBE_ARGUMENTS", "1");
  EXPECT_EQ(RunProbe("probe.exe \"a b\" c"), "[\"a b\" c]{a b}{c}");
  SetEnvironmentVariableA("QC_PROBE_ARGUMENTS", nullptr);
}
#else
// Runs the probe with these arguments.
std::string RunProbe(const std::vector<std::string>& arguments) {
  std::string out = ProbeOutput();
  std::remove(out.c_str());
  pid_t child = fork();
  if (child == 0) {
    setenv("QC_PROBE_OUT", out.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(QC_PROBE_PATH));
    for (const std::string& a : arguments) {
      argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    execv(QC_PROBE_PATH, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::string text = ReadFile(out);
  std::remove(out.c_str());
  return text;
}

struct ProbeRow {
  const char* name;
  std::vector<std::string> arguments;
  const char* handedOver;
};

TEST(CommandLine, ProgramReceivesItsArgumentsJoinedByBlanks) {
  const std::vector<ProbeRow> rows = {
      {"one argument", {"x1"}, "[x1]"},
      {"two arguments", {"/b/bookmark.htm", "/opt/q/"}, "[/b/bookmark.htm /opt/q/]"},
      {"an argument with a blank",
       {"/b/bookmark.htm", "/opt/My Q/"},
       "[/b/bookmark.htm /opt/My Q/]"},
      {"leading blanks and tabs are skipped", {" \t x1"}, "[x1]"},
      // The line is what Windows would hand over; where an argument with
      // blanks ends, the arguments one by one tell.
      {"a first argument with a blank is joined as it is",
       {"/p/User Data/Bookmarks", "/opt/My", "Q/"},
       "[/p/User Data/Bookmarks /opt/My Q/]"},
      {"after its leading blanks", {"  /p/User Data/b.htm"}, "[/p/User Data/b.htm]"},
      {"no arguments", {}, "[]"},
  };
  for (const ProbeRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(RunProbe(row.arguments), row.handedOver);
  }
}

TEST(CommandLine, ProgramReceivesItsArgumentsOneByOneToo) {
  setenv("QC_PROBE_ARGUMENTS", "1", 1);
  EXPECT_EQ(RunProbe({" /p/User Data/Bookmarks", "/opt/My", "Q/"}),
            "[/p/User Data/Bookmarks /opt/My Q/]{ /p/User Data/Bookmarks}{/opt/My}{Q/}");
  unsetenv("QC_PROBE_ARGUMENTS");
}
#endif

}  // namespace
