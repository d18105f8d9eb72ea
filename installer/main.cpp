// KelmorPatch14.exe: takes no arguments and opens no window of its own.
#include <windows.h>

#include "installer/dll_search.h"
#include "installer/sequence.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  if (ProbeDirectX8()) RunInstall();
  return 0;
}
