// Stands in for the online service's own installer, which the patch ships as
// "ArcadeInstallKELMOR101b.EXE": when run, it leaves a marker file beside
// itself holding the command line it was started with, and exits. It uses no
// C runtime, so the program stays a few kilobytes.
#include <windows.h>

namespace {

const char kMarkerName[] = "ArcadeInstallKELMOR101b.ran";

// Where the last backslash of `path` is, walking whole characters so that a
// trail byte 0x5C of a double-byte character is not taken for a separator.
DWORD LastSeparator(const char* path, DWORD length) {
  DWORD separator = 0;
  for (DWORD at = 0; at < length;) {
    if (path[at] == '\\') separator = at;
    at += IsDBCSLeadByte(BYTE(path[at])) && at + 1 < length ? 2 : 1;
  }
  return separator;
}

UINT LeaveMarker() {
  char path[MAX_PATH + sizeof kMarkerName];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  // The folder is shorter than MAX_PATH, so its name and the marker's fit.
  DWORD separator = LastSeparator(path, length);
  lstrcpynA(path + separator + 1, kMarkerName, sizeof kMarkerName);

  HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker == INVALID_HANDLE_VALUE) return 2;
  const char* commandLine = GetCommandLineA();
  DWORD written = 0;
  BOOL ok = WriteFile(marker, commandLine, DWORD(lstrlenA(commandLine)), &written, nullptr);
  CloseHandle(marker);
  return ok ? 0 : 3;
}

}  // namespace

extern "C" void WINAPI ArcadeInstallEntry() { ExitProcess(LeaveMarker()); }
