#include "framework/ControlContainer.h"

// Control modules need no runtime of their own on POSIX.
void AfxEnableControlContainer() {}
