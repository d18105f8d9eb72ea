// A stand-in for a "D3D8.DLL" planted beside the installer, in a downloads
// folder say. Were it ever loaded, it leaves "D3D8_LOADED.txt" beside itself
// naming the program that loaded it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  char* slash = path + length;
  while (slash > path && slash[-1] != '\\') --slash;
  const char marker[] = "D3D8_LOADED.txt";
  if (length == 0 || length >= MAX_PATH || (slash - path) + sizeof marker > MAX_PATH) return TRUE;
  lstrcpynA(slash, marker, sizeof marker);
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  char loader[MAX_PATH];
  DWORD loaderLength = GetModuleFileNameA(nullptr, loader, MAX_PATH);
  DWORD written = 0;
  WriteFile(file, loader, loaderLength, &written, nullptr);
  CloseHandle(file);
  return TRUE;
}
