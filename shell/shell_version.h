// Which shell the program runs on: Start-menu work needs 4.71 or later.
#pragma once

#include <windows.h>

// The oldest shell whose program folders the program works with: 4.71.
const DWORD SHELL_MIN_VERSION = 0x40047;

// Loads `libraryName` and asks its DllGetVersion. Returns the version packed
// as major in the high 16 bits and minor in the low 16 bits, or 0 when the
// library does not load, has no DllGetVersion, or that call fails.
DWORD GetShellVersion(const char* libraryName);
