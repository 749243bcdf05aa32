#include "framework/WinApp.h"

// Every supported system draws dialogs and controls in 3D already.
BOOL CWinApp::Enable3dControls() { return TRUE; }
