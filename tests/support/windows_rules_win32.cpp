#include <windows.h>

#include <string.h>

#include "windows_rules.h"

namespace {

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Wine keeps "read-only" as the host file's permissions, which do not stop root.
bool UserIsRoot() {
  char name[64];
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) && strcmp(name, "root") == 0;
}

}  // namespace

const char* DepartureFrom(WindowsRule rule) {
  if (!UnderWine()) return nullptr;
  switch (rule) {
    case WindowsRule::ReadOnlyRefusesWriting:
      return UserIsRoot() ? "Wine run as root opens read-only files for writing" : nullptr;
    case WindowsRule::ReadOnlyRefusesReplace:
      return UserIsRoot() ? "Wine run as root lets MoveFileExA replace a read-only file" : nullptr;
    case WindowsRule::HiddenRefusesCreateAlways: return "Wine lets CREATE_ALWAYS replace a hidden file";
    case WindowsRule::KeepsCreationTime: return "Wine keeps no creation time of its own";
    case WindowsRule::ReportsAttributesAsSet: return "Wine reports every file as archive as well";
    case WindowsRule::MoveRespellsAName: return "Wine leaves the name as it was";
  }
  return nullptr;
}
