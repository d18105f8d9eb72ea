// KelmorPatch14.exe: takes no arguments and opens no window of its own.
#include <windows.h>

#include "installer/sequence.h"

namespace {

// Where the system offers it, DLLs the platform loads on the program's behalf
// (for a message box, the shell link object) come from the system folder
// only, never from the installer's folder. Older systems lack the call and
// run as before.
void RestrictDllSearch() {
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
  const DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (!kernel) return;
  SetDefaultDllDirectoriesFn restrict =
      reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (restrict) restrict(kSearchSystem32);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearch();
  if (ProbeDirectX8()) RunInstall();
  return 0;
}
