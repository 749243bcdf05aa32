// What only the Windows build of the fake browser has: a wildcard
// conversation, atoms, and fake_browser.exe in a process of its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "browser/BrowserInterface.h"
#include "testing/FakeBrowser.h"
#include "testing/FakeBrowserProgram.h"
#include "testing/ProcessStart.h"
#include "tests/testing/DdeTestClient.h"

namespace fake_browser {
namespace {

const char kScript[] =
    "window 5 \"http://a/index.htm\" \"Home\" \"first\"\n"
    "window 9 \"http://a/f.htm\" \"Frame\" \"\" parent=5\n"
    "current 9\n";

TEST(FakeBrowserWindows, WildcardTopicOpensOneOfItsTopics) {
  Script script;
  ASSERT_TRUE(ParseScript(kScript, &script, nullptr));
  FakeBrowser browser(script);
  ASSERT_TRUE(browser.Start());
  DWORD instance = 0;
  ASSERT_EQ(DdeInitializeA(&instance, nullptr, APPCMD_CLIENTONLY, 0),
            static_cast<UINT>(DMLERR_NO_ERROR));
  HSZ service = DdeCreateStringHandleA(instance, browser::kDdeService, CP_WINANSI);
  HCONV conversation = DdeConnect(instance, service, nullptr, nullptr);
  EXPECT_TRUE(conversation);
  if (conversation) DdeDisconnect(conversation);
  DdeFreeStringHandle(instance, service);
  DdeUninitialize(instance);
  for (const char* topic : browser::kTopics)
    EXPECT_EQ(browser.counters().Accepted(topic), 1u) << topic;
  // Wine's DDEML client keeps the atoms of the acknowledgements that it
  // drops (the conversations after the first); they are given back here so
  // that later tests find a clean atom table.
  std::vector<std::string> names(browser::kTopics, browser::kTopics + browser::kTopicCount);
  names.push_back(browser::kDdeService);
  for (const std::string& name : names) {
    for (int i = 0; i < browser::kTopicCount; ++i) {
      const ATOM atom = GlobalFindAtomA(name.c_str());
      if (atom) GlobalDeleteAtom(atom);
    }
  }
}

// Every atom that crosses over is deleted by whoever the protocol makes its
// owner, so none is left once the conversations have ended. Atoms are shared
// by the whole Wine session: the items are this process's own, and the
// service and topic are checked only when no other program holds them.
TEST(FakeBrowserWindows, LeavesNoGlobalAtomBehind) {
  const unsigned long process = GetCurrentProcessId() % 1000000;
  const std::string answered = std::to_string(1000000 + process);
  const std::string refused = std::to_string(2000000 + process);
  const std::string silent = std::to_string(3000000 + process);
  std::vector<std::string> names = {answered, refused, silent};
  for (const char* shared : {browser::kDdeService, browser::kTopicGetWindowInfo}) {
    if (!GlobalFindAtomA(shared)) names.push_back(shared);
  }
  for (const std::string& name : names) ASSERT_EQ(GlobalFindAtomA(name.c_str()), 0) << name;
  {
    auto browser = StartedBrowser(std::string(kScript) + "window " + answered + " u t x\n" +
                                  "misbehave silent WWW_GetWindowInfo " + silent + "\n");
    DdeTestClient client;
    HCONV info = client.Connect(browser::kTopicGetWindowInfo);
    ASSERT_TRUE(info);
    EXPECT_TRUE(client.Request(info, answered).answered);
    EXPECT_FALSE(client.Request(info, refused).answered);
    EXPECT_FALSE(client.Request(info, silent, 200).answered);
  }
  for (const std::string& name : names) EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0) << name;
}

// A temporary file in the Windows temporary directory, removed at the end.
class TempFile {
 public:
  explicit TempFile(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    path_ = std::string(dir) + "fake_browser_" + std::to_string(GetCurrentProcessId()) + "_" + name;
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  const std::string& path() const { return path_; }
  bool Write(const std::string& text) const {
    FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
  }

 private:
  std::string path_;
};

class Event {
 public:
  explicit Event(const char* role)
      : name_("FakeBrowserTest_" + std::to_string(GetCurrentProcessId()) + "_" + role),
        handle_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str())) {}
  ~Event() {
    if (handle_) CloseHandle(handle_);
  }
  const std::string& name() const { return name_; }
  HANDLE handle() const { return handle_; }

 private:
  std::string name_;
  HANDLE handle_;
};

std::string ProgramPath() {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
  std::string path(self, length);
  path = path.substr(0, path.find_last_of("\\/") + 1) + FAKE_BROWSER_RELATIVE_PATH;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  char full[MAX_PATH];
  const DWORD fullLength = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return fullLength > 0 && fullLength < sizeof full ? std::string(full, fullLength) : path;
}

// fake_browser.exe, ended and waited for however the test ends.
class Program {
 public:
  explicit Program(const std::string& arguments) {
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = process_start::StartProcess(nullptr, commandLine, FALSE, &startup, &process_) != FALSE;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }
  DWORD id() const { return process_.dwProcessId; }

  // True when the ready event is set before the program ends or time runs out.
  bool WaitReady(const Event& ready) const {
    HANDLE handles[2] = {ready.handle(), process_.hProcess};
    return WaitForMultipleObjects(2, handles, FALSE, 20000) == WAIT_OBJECT_0;
  }
  // The exit code, or 0xFFFFFFFF when the program has not ended in time.
  DWORD WaitExit(DWORD timeoutMs) const {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return 0xFFFFFFFFu;
    DWORD code = 0xFFFFFFFFu;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_ = {};
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

TEST(FakeBrowserProgram, ServesAnotherProcessAndWritesItsCounters) {
  TempFile scriptFile("script.txt");
  TempFile countersFile("counters.txt");
  ASSERT_TRUE(scriptFile.Write(kScript));
  Event ready("ready");
  Event stop("stop");
  Program program("--script " + Quoted(scriptFile.path()) + " --counters " +
                  Quoted(countersFile.path()) + " --seconds 60 --ready-event " + ready.name() +
                  " --stop-event " + stop.name());
  ASSERT_TRUE(program.started()) << ProgramPath();
  ASSERT_TRUE(program.WaitReady(ready));
  EXPECT_TRUE(FindWindowA(nullptr, "Home - Netscape"));
  {
    DdeTestClient client;
    HCONV list = client.Connect(browser::kTopicListWindows);
    ASSERT_TRUE(list);
    const Answer a = client.Request(list, browser::kTopicListWindows);
    const std::vector<uint8_t> ids = {5, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(a.bytes, ids);
    HCONV info = client.Connect(browser::kTopicGetWindowInfo);
    for (int i = 0; i < 3; ++i) {
      const Answer current = client.Request(info, "4294967295");
      const std::string text = R"("http://a/f.htm","Frame","")";
      EXPECT_EQ(current.bytes, std::vector<uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
    }
  }
  SetEvent(stop.handle());
  ASSERT_EQ(program.WaitExit(20000), static_cast<DWORD>(kExitOk));
  EXPECT_FALSE(FindWindowA(nullptr, "Home - Netscape"));
  Counters c;
  ASSERT_TRUE(ReadCountersFile(countersFile.path(), &c));
  EXPECT_EQ(c.Accepted(browser::kTopicListWindows), 1u);
  EXPECT_EQ(c.Accepted(browser::kTopicGetWindowInfo), 1u);
  EXPECT_EQ(c.Requests(browser::kTopicListWindows, browser::kTopicListWindows), 1u);
  EXPECT_EQ(c.Requests(browser::kTopicGetWindowInfo, "4294967295"), 3u);
  EXPECT_EQ(c.totalRequests, 4u);
}

struct ListenerSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindListener(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<ListenerSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[64];
  if (process == search->process && GetClassNameA(window, name, sizeof name) &&
      std::string(name) == kListenerClassName) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

TEST(FakeBrowserProgram, EndsOnCloseToItsListener) {
  TempFile scriptFile("script.txt");
  TempFile countersFile("counters.txt");
  ASSERT_TRUE(scriptFile.Write(kScript));
  Event ready("ready");
  Program program("--no-frames --script " + Quoted(scriptFile.path()) + " --counters " +
                  Quoted(countersFile.path()) + " --ready-event " + ready.name());
  ASSERT_TRUE(program.WaitReady(ready));
  EXPECT_FALSE(FindWindowA(nullptr, "Home - Netscape"));
  ListenerSearch search = {program.id(), nullptr};
  EnumWindows(FindListener, reinterpret_cast<LPARAM>(&search));
  ASSERT_TRUE(search.found);
  PostMessageA(search.found, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.WaitExit(20000), static_cast<DWORD>(kExitOk));
  Counters c;
  ASSERT_TRUE(ReadCountersFile(countersFile.path(), &c));
  EXPECT_EQ(c.totalRequests, 0u);
}

TEST(FakeBrowserProgram, EndsByItselfAfterItsTimeAndRejectsABadScript) {
  TempFile scriptFile("script.txt");
  TempFile badScript("bad.txt");
  TempFile countersFile("counters.txt");
  ASSERT_TRUE(scriptFile.Write(kScript));
  ASSERT_TRUE(badScript.Write("window five\n"));
  Program timed("--seconds 1 --script " + Quoted(scriptFile.path()) + " --counters " +
                Quoted(countersFile.path()));
  Program bad("--script " + Quoted(badScript.path()));
  ASSERT_EQ(timed.WaitExit(20000), static_cast<DWORD>(kExitOk));
  EXPECT_EQ(bad.WaitExit(20000), static_cast<DWORD>(kExitUsage));
  Counters c;
  EXPECT_TRUE(ReadCountersFile(countersFile.path(), &c));
}

}  // namespace
}  // namespace fake_browser
