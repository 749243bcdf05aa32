// Starting a program of the build tree from a test under Wine.
#pragma once

#include <windows.h>

#include <string>

namespace process_start {

// CreateProcessA, tried up to three times, 200 ms apart. Under Wine a start
// has now and then failed on a busy machine before any code of the program
// ran (ERROR_INTERNAL_ERROR: the new process was lost while Wine set it
// up); that says nothing about the program under test, so it is tried again
// and each failed try is told on standard error. When every try fails the
// result is FALSE and GetLastError gives the last try's error.
BOOL StartProcess(const char* application, std::string commandLine, BOOL inheritHandles,
                  STARTUPINFOA* startup, PROCESS_INFORMATION* process);

// The same for CreateProcessW with creation flags and a working folder.
BOOL StartProcessW(const wchar_t* application, std::wstring commandLine, BOOL inheritHandles,
                   DWORD flags, const wchar_t* folder, STARTUPINFOW* startup,
                   PROCESS_INFORMATION* process);

}  // namespace process_start
