#include "shell/shell_version.h"

#include <shlwapi.h>

#include "shell/entry_point.h"

DWORD GetShellVersion(const char* libraryName) {
  HMODULE library = LoadLibraryA(libraryName);
  if (!library) return 0;
  DWORD version = 0;
  DLLGETVERSIONPROC getVersion = FindEntryPoint<DLLGETVERSIONPROC>(library, "DllGetVersion");
  if (getVersion) {
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (SUCCEEDED(getVersion(&info))) version = (info.dwMajorVersion & 0xFFFF) << 16 | (info.dwMinorVersion & 0xFFFF);
  }
  FreeLibrary(library);
  return version;
}
