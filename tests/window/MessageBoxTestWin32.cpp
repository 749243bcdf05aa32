// The message box under Wine: a real modal box, answered by the driver, in
// this process and in a program of its own.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "framework/Framework.h"
#include "testing/MessageBoxDriver.h"
#include "testing/ProcessStart.h"

namespace {

const char kMessage[] = "This program requires Netscape to be running";

TEST(MessageBox, ShowsTheStringCaptionedWithTheProgramsName) {
  message_box_driver::MessageBoxSeen seen;
  bool answered = false;
  std::thread driver([&] {
    answered =
        message_box_driver::DismissMessageBox(::GetCurrentProcessId(), nullptr, 10000, IDOK, &seen);
  });
  int answer = AfxMessageBox(3, MB_ICONEXCLAMATION);
  driver.join();
  EXPECT_TRUE(answered);
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(seen.text, kMessage);
  EXPECT_EQ(seen.caption, "window_tests");  // no application object: the module's name
}

struct Process {
  PROCESS_INFORMATION info{};
  bool started = false;
  // Ends the process if it is still running after the bound, and waits for it.
  DWORD Finish(DWORD boundMs) {
    if (!started) return static_cast<DWORD>(-1);
    if (::WaitForSingleObject(info.hProcess, boundMs) != WAIT_OBJECT_0) {
      ::TerminateProcess(info.hProcess, 99);
      ::WaitForSingleObject(info.hProcess, 5000);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    started = false;
    return code;
  }
  ~Process() { Finish(0); }
};

bool Start(const std::string& commandLine, HANDLE output, Process* process) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (output != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  }
  process->started = process_start::StartProcess(nullptr, commandLine, output != nullptr,
                                                 &startup, &process->info) != FALSE;
  return process->started;
}

// Runs the driver to its end and returns what it printed.
std::string RunDriver(const std::string& arguments, DWORD* exitCode) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "(no pipe)";
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  Process driver;
  bool started =
      Start(std::string("\"") + QC_MESSAGE_BOX_DRIVER + "\" " + arguments, writeEnd, &driver);
  ::CloseHandle(writeEnd);
  std::string output;
  if (started) {
    // The driver's own waits are bounded, so the pipe ends when it does.
    char buffer[256];
    DWORD read = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) {
      output.append(buffer, read);
    }
  }
  ::CloseHandle(readEnd);
  *exitCode = driver.Finish(30000);
  return output;
}

TEST(MessageBoxDriver, ReportsAndAnswersTheBoxOfAnotherProgram) {
  Process shower;
  ASSERT_TRUE(Start(std::string("\"") + QC_SHOW_MESSAGE_BOX + "\"", nullptr, &shower));
  DWORD driverExit = 0;
  std::string printed = RunDriver("--pid " + std::to_string(shower.info.dwProcessId) +
                                      " --caption show_message_box --timeout 15000",
                                  &driverExit);
  EXPECT_EQ(printed, std::string(kMessage) + "\n");
  EXPECT_EQ(driverExit, 0u);
  EXPECT_EQ(shower.Finish(15000), static_cast<DWORD>(IDOK));
}

TEST(MessageBoxDriver, GivesUpWhenNoBoxAppears) {
  DWORD driverExit = 0;
  ULONGLONG start = ::GetTickCount64();
  std::string printed = RunDriver("--caption \"No such box anywhere\" --timeout 300", &driverExit);
  EXPECT_EQ(printed, "");
  EXPECT_EQ(driverExit, 1u);
  EXPECT_LT(::GetTickCount64() - start, 10000u);
}

}  // namespace
