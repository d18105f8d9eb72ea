// The trace a planted library or program leaves when it is loaded or run.
#pragma once

#include <windows.h>

// Writes `content` to "<module's name without extension><suffix>" beside the
// module ("C:\Downloads\D3D8.DLL" and "_LOADED.txt" give
// "C:\Downloads\D3D8_LOADED.txt"). Does nothing when the path does not fit.
void LeaveMarker(HMODULE module, const char* suffix, const char* content, DWORD length);
