#include "framework/WinApp.h"

// There is no message queue on POSIX: a program that asks for its loop ends.
int CWinApp::Run() { return ExitInstance(); }
