#include "installer/dll_search.h"

#include <windows.h>

void RestrictDllSearch() {
  typedef BOOL(WINAPI * SetDefaultDllDirectoriesFn)(DWORD);
  const DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (!kernel) return;
  SetDefaultDllDirectoriesFn restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (restrict) restrict(kSearchSystem32);
}
