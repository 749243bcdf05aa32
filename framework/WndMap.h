// Which CWnd stands for a window handle: the permanent map holds every CWnd
// that created or attached its window; FromHandle makes wrappers for the
// others. One thread, as in every program here.
#pragma once

#include <vector>

#include "platform/Win32Api.h"

class CWnd;

void AfxMapWindow(HWND hWnd, CWnd* pWnd);
// Removes the entry only if it is still pWnd's.
void AfxUnmapWindow(HWND hWnd, CWnd* pWnd);
CWnd* AfxFindPermanentWindow(HWND hWnd);
// Every CWnd in the permanent map, for a walk that may change the map.
std::vector<CWnd*> AfxPermanentWindows();
// A wrapper of the framework's own for a window no CWnd owns.
CWnd* AfxTemporaryWindow(HWND hWnd);
