// Under Wine: the host as the browsers start it on Windows. Firefox hands it
// pipes directly; the Chromium family starts it through cmd.exe, which opens
// the browser's named pipes for its redirections.
#include <windows.h>

#include <chrono>
#include <thread>

#include "testing/HostProcess.h"
#include "testing/ProcessStart.h"

namespace host_process {

namespace {

using Clock = std::chrono::steady_clock;

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(),
                                                      static_cast<int>(text.size()), &wide[0],
                                                      static_cast<int>(wide.size()))));
  return wide;
}

void Feed(HANDLE input, bool named, std::string text) {
  if (named) ConnectNamedPipe(input, nullptr);
  DWORD put = 0;
  for (size_t at = 0; at < text.size(); at += put) {
    if (!WriteFile(input, &text[at], static_cast<DWORD>(text.size() - at), &put, nullptr)) break;
  }
  CloseHandle(input);
}

void Drain(HANDLE output, bool named, Clock::time_point start, HostRun* run) {
  if (named) ConnectNamedPipe(output, nullptr);
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(output, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    run->output.append(buffer, got);
    if (run->replyMs < 0 && !FirstMessage(run->output).empty()) {
      run->replyMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
  }
  CloseHandle(output);
}

std::string Failed(const char* what) {
  return std::string(what) + ": error " + std::to_string(GetLastError());
}

}  // namespace

HostRun RunHost(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input, StartStyle style, unsigned boundMs) {
  HostRun run;
  const bool named = style == StartStyle::kThroughCmd;
  std::wstring application = Wide(program);
  std::wstring commandLine = L"\"" + application + L"\"";
  for (const std::string& argument : arguments) commandLine += L" " + Wide(argument);
  std::wstring folder = application.substr(0, application.find_last_of(L'\\'));
  HANDLE ours[2], theirs[2] = {nullptr, nullptr};  // input, output
  std::wstring pipes[2];
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (named) {
    static int runs = 0;
    std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++runs);
    pipes[0] = L"\\\\.\\pipe\\qc.nativeMessaging.in." + id;
    pipes[1] = L"\\\\.\\pipe\\qc.nativeMessaging.out." + id;
    for (int i = 0; i < 2; ++i) {
      ours[i] =
          CreateNamedPipeW(pipes[i].c_str(), i == 0 ? PIPE_ACCESS_OUTBOUND : PIPE_ACCESS_INBOUND,
                           PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
      if (ours[i] == INVALID_HANDLE_VALUE) run.failure = Failed("CreateNamedPipe");
    }
    wchar_t shell[MAX_PATH];
    GetEnvironmentVariableW(L"COMSPEC", shell, MAX_PATH);
    application = shell;
    commandLine = L"\"" + application + L"\" /d /s /c \"" + commandLine + L"\" < " + pipes[0] +
                  L" > " + pipes[1];
  } else {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    CreatePipe(&theirs[0], &ours[0], &inherit, 0);
    CreatePipe(&ours[1], &theirs[1], &inherit, 0);
    SetHandleInformation(ours[0], HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(ours[1], HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = theirs[0];
    startup.hStdOutput = theirs[1];
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  const Clock::time_point start = Clock::now();
  PROCESS_INFORMATION process{};
  bool started = process_start::StartProcessW(application.c_str(), commandLine, !named,
                                              CREATE_NO_WINDOW, folder.c_str(), &startup, &process);
  for (HANDLE handle : theirs) {
    if (handle != nullptr) CloseHandle(handle);
  }
  if (!started) {
    run.failure = Failed("CreateProcess");
    for (HANDLE handle : ours) CloseHandle(handle);
    return run;
  }
  std::thread feeder(Feed, ours[0], named, input);
  std::thread drainer(Drain, ours[1], named, start, &run);
  // The host's windows may send to the caller's (a test's browser window).
  for (DWORD elapsed = 0; elapsed < boundMs;) {
    DWORD woke =
        MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, boundMs - elapsed, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) {
      run.ended = true;
      break;
    }
    if (woke == WAIT_FAILED) {
      run.failure = Failed("MsgWaitForMultipleObjects");
      break;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    elapsed = static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
  }
  if (!run.ended) {
    if (run.failure.empty()) run.failure = "still running after " + std::to_string(boundMs) + " ms";
    TerminateProcess(process.hProcess, 99);
  }
  WaitForSingleObject(process.hProcess, 5000);
  DWORD code = 0;
  if (run.ended && GetExitCodeProcess(process.hProcess, &code))
    run.exitCode = static_cast<int>(code);
  // A pipe the host never opened would hold its thread: a client of ours ends the wait.
  for (int i = 0; named && i < 2; ++i) {
    HANDLE client = CreateFileW(pipes[i].c_str(), i == 0 ? GENERIC_READ : GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (client != INVALID_HANDLE_VALUE) CloseHandle(client);
  }
  feeder.join();
  drainer.join();
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return run;
}

}  // namespace host_process
