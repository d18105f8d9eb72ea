#include "marker.h"

void LeaveMarker(HMODULE module, const char* suffix, const char* content, DWORD length) {
  char path[MAX_PATH];
  DWORD pathLength = GetModuleFileNameA(module, path, MAX_PATH);
  if (pathLength == 0 || pathLength >= MAX_PATH) return;
  // The name's extension goes; a folder's dot is left alone.
  char* end = path + pathLength;
  char* at = end;
  while (at > path && at[-1] != '\\' && at[-1] != '.') --at;
  if (at > path && at[-1] == '.') end = at - 1;
  const size_t suffixSize = lstrlenA(suffix) + 1;
  if (size_t(end - path) + suffixSize > MAX_PATH) return;
  lstrcpynA(end, suffix, int(suffixSize));
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content, length, &written, nullptr);
  CloseHandle(file);
}
