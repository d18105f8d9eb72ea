// A library planted under a system library's name ("D3D8.DLL", "shell32.dll")
// beside the installer, in a downloads folder say. Were it ever loaded, it
// leaves "<its name>_LOADED.txt" beside itself ("D3D8_LOADED.txt"), naming
// the program that loaded it.
#include <windows.h>

#include "marker.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char loader[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, loader, MAX_PATH);
  LeaveMarker(self, "_LOADED.txt", loader, length < MAX_PATH ? length : 0);
  return TRUE;
}
