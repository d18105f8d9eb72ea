#include "shell/program_group.h"

#include <windows.h>
#include <shlobj.h>

#include "messages/text.h"
#include "shell/entry_point.h"
#include "shell/shell_version.h"
#include "shell/shortcut.h"

namespace {

typedef BOOL(WINAPI* SpecialFolderPathProc)(HWND owner, LPSTR path, int folder, BOOL create);

// Retired files of earlier patch levels, in the install folder.
const char* const kRetiredInstallFiles[] = {
    "Kelmor.mpi",        "readme_english.txt", "readme_german.txt",
    "readme_french.txt", "readme_italian.txt", "readme_spanish.txt",
};

bool IsFolder(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Deletes folder\name; a path that does not fit is left alone rather than
// cut short into the name of some other file.
void DeleteRetiredFile(const char* folder, const char* name) {
  char path[SHELL_PATH_BUFFER];
  if (ComposeText(path, sizeof path, "%s\\%s", folder, name)) DeleteFileA(path);
}

}  // namespace

bool FindProgramGroup(char* pathOut) {
  pathOut[0] = '\0';
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return false;
  bool found = false;
  SpecialFolderPathProc folderPath = FindEntryPoint<SpecialFolderPathProc>(shell, "SHGetSpecialFolderPathA");
  char programs[MAX_PATH];
  if (folderPath && (folderPath(nullptr, programs, CSIDL_COMMON_PROGRAMS, FALSE) ||
                     folderPath(nullptr, programs, CSIDL_PROGRAMS, FALSE)))
    found = ComposeText(pathOut, SHELL_PATH_BUFFER, "%s\\Kelmor", programs) && IsFolder(pathOut);
  FreeLibrary(shell);
  if (!found) pathOut[0] = '\0';
  return found;
}

void RefreshProgramGroup(const char* groupPath, const char* installFolder) {
  DeleteRetiredFile(groupPath, "Kelmor MPlayer.lnk");
  for (const char* name : kRetiredInstallFiles) DeleteRetiredFile(installFolder, name);

  char target[SHELL_PATH_BUFFER];
  char link[SHELL_PATH_BUFFER];
  if (ComposeText(target, sizeof target, "%s\\readme.txt", installFolder) &&
      ComposeText(link, sizeof link, "%s\\Readme.txt.lnk", groupPath))
    CreateShortcut(target, "", link, installFolder);
}

bool RunProgramGroupPhase(const char* installFolder, char* groupOut) {
  groupOut[0] = '\0';
  if (GetShellVersion("shell32.dll") < SHELL_MIN_VERSION) return false;
  if (!FindProgramGroup(groupOut)) return false;
  RefreshProgramGroup(groupOut, installFolder);
  return true;
}
