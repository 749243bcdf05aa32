// Under Wine: the host as the browsers start it on Windows. Firefox hands a
// program its pipes directly; the Chromium family starts it through
// cmd.exe, which opens the browser's named pipes for its redirections.
#include <windows.h>

#include <chrono>
#include <thread>

#include "testing/HostProcess.h"

namespace host_process {

namespace {

using Clock = std::chrono::steady_clock;

std::wstring Wide(const std::string& text) {
  int length =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (length > 0) {
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  }
  return wide;
}

// One I/O on a handle opened for overlapped use or not.
bool Transfer(HANDLE handle, bool writing, char* data, DWORD size, DWORD* done) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  BOOL ok = writing ? WriteFile(handle, data, size, done, &overlapped)
                    : ReadFile(handle, data, size, done, &overlapped);
  if (!ok && GetLastError() == ERROR_IO_PENDING) {
    ok = GetOverlappedResult(handle, &overlapped, done, TRUE);
  }
  CloseHandle(overlapped.hEvent);
  return ok && (*done > 0 || size == 0);
}

void Feed(HANDLE input, std::string text) {
  DWORD done = 0;
  for (size_t at = 0; at < text.size(); at += done) {
    if (!Transfer(input, true, &text[at], static_cast<DWORD>(text.size() - at), &done)) break;
  }
  CloseHandle(input);
}

void Drain(HANDLE output, Clock::time_point start, HostRun* run) {
  char buffer[65536];
  DWORD got = 0;
  while (Transfer(output, false, buffer, sizeof buffer, &got)) {
    run->output.append(buffer, got);
    if (run->replyMs < 0 && !FirstMessage(run->output).empty()) {
      run->replyMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
  }
  CloseHandle(output);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Named pipes as a browser makes them: the host's input (we write) and
// output (we read), connected once the child opens them.
bool MakeNamedPipes(const std::wstring& in, const std::wstring& out, HANDLE* ours) {
  ours[0] = CreateNamedPipeW(in.c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
  ours[1] = CreateNamedPipeW(out.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                             PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
  return ours[0] != INVALID_HANDLE_VALUE && ours[1] != INVALID_HANDLE_VALUE;
}

bool Connect(HANDLE pipe, DWORD boundMs) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool connected = ConnectNamedPipe(pipe, &overlapped) || GetLastError() == ERROR_PIPE_CONNECTED ||
                   (GetLastError() == ERROR_IO_PENDING &&
                    WaitForSingleObject(overlapped.hEvent, boundMs) == WAIT_OBJECT_0);
  if (!connected) CancelIo(pipe);
  CloseHandle(overlapped.hEvent);
  return connected;
}

}  // namespace

HostRun RunHost(const std::string& program, const std::vector<std::string>& arguments,
                const std::string& input, StartStyle style, unsigned boundMs) {
  HostRun run;
  std::wstring commandLine = Quoted(Wide(program));
  for (const std::string& argument : arguments) commandLine += L" " + Wide(argument);
  std::wstring folder = Wide(program.substr(0, program.find_last_of('\\')));

  HANDLE ours[2] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};  // input, output
  HANDLE theirs[2] = {nullptr, nullptr};
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring application;
  if (style == StartStyle::kThroughCmd) {
    static int runs = 0;
    std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++runs);
    std::wstring in = L"\\\\.\\pipe\\qc.nativeMessaging.in." + id;
    std::wstring out = L"\\\\.\\pipe\\qc.nativeMessaging.out." + id;
    if (!MakeNamedPipes(in, out, ours)) return run;
    wchar_t cmd[MAX_PATH];
    GetEnvironmentVariableW(L"COMSPEC", cmd, MAX_PATH);
    application = cmd;
    commandLine =
        Quoted(application) + L" /d /s /c " + Quoted(commandLine) + L" < " + in + L" > " + out;
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
    application = Wide(program);
  }
  const Clock::time_point start = Clock::now();
  PROCESS_INFORMATION process{};
  run.started = CreateProcessW(application.c_str(), &commandLine[0], nullptr, nullptr,
                               style == StartStyle::kDirect, CREATE_NO_WINDOW, nullptr,
                               folder.c_str(), &startup, &process) != FALSE;
  for (HANDLE handle : theirs) {
    if (handle != nullptr) CloseHandle(handle);
  }
  if (run.started && style == StartStyle::kThroughCmd) {
    run.started = Connect(ours[0], boundMs) && Connect(ours[1], boundMs);
  }
  if (!run.started) {
    for (HANDLE handle : ours) CloseHandle(handle);
    if (process.hProcess != nullptr) {
      TerminateProcess(process.hProcess, 99);
      CloseHandle(process.hProcess);
      CloseHandle(process.hThread);
    }
    return run;
  }
  std::thread feeder(Feed, ours[0], input);
  std::thread drainer(Drain, ours[1], start, &run);
  // The host's windows may send to ours (a browser window of the test's):
  // they are answered while it runs.
  for (;;) {
    DWORD elapsed = static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    if (elapsed >= boundMs) break;
    DWORD woken =
        MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, boundMs - elapsed, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) {
      run.ended = true;
      break;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  if (!run.ended) TerminateProcess(process.hProcess, 99);
  WaitForSingleObject(process.hProcess, 5000);
  DWORD code = 0;
  if (run.ended && GetExitCodeProcess(process.hProcess, &code))
    run.exitCode = static_cast<int>(code);
  feeder.join();
  drainer.join();
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return run;
}

}  // namespace host_process
