// What tests may ask of the registry stand-in beyond the Win32 calls.
#pragma once

// Registry calls made by this process so far, whatever their result.
unsigned long RegistryCallCount();

// Handles from RegOpenKeyExA, RegCreateKeyExA and RegConnectRegistryA that
// are not closed yet (the predefined keys are not counted).
int RegistryOpenHandleCount();
