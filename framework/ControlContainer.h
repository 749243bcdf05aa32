// Lets the program's windows host ActiveX controls (CWnd::CreateControl).
#pragma once

// On Windows, initialises OLE for the calling thread (CreateControl does it
// on first use as well); OLE then stays initialised until the program ends.
// Nothing to do on POSIX.
void AfxEnableControlContainer();
