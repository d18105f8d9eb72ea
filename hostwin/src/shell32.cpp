// The built-in "shell32.dll": DllGetVersion and SHGetSpecialFolderPathA,
// answering as the test set them.
#include <string.h>

#include <string>

#include "hostwin/control.h"
#include "hostwin/shell_control.h"
#include "internal.h"
#include "shell_internal.h"
#include "shlobj.h"
#include "shlwapi.h"

namespace {

const char kCommonPrograms[] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
const char kUserPrograms[] = "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";

struct SpecialFolder {
  bool resolves;
  std::string path;
};

struct ShellState {
  DWORD major = 5;
  DWORD minor = 0;
  HRESULT versionResult = S_OK;
  SpecialFolder commonPrograms = {true, kCommonPrograms};
  SpecialFolder userPrograms = {true, kUserPrograms};
};
ShellState shell;

SpecialFolder* FolderFor(int csidl) {
  switch (csidl) {
    case CSIDL_COMMON_PROGRAMS: return &shell.commonPrograms;
    case CSIDL_PROGRAMS: return &shell.userPrograms;
    default: return nullptr;
  }
}

// Makes `path` and the folders above it (plain ASCII names).
bool MakeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const DWORD kVersionInfo2Size = 32;  // DLLVERSIONINFO2, which some callers pass

HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info) {
  if (!info) return E_POINTER;
  if (info->cbSize != sizeof(DLLVERSIONINFO) && info->cbSize != kVersionInfo2Size) return E_INVALIDARG;
  if (FAILED(shell.versionResult)) return shell.versionResult;
  info->dwMajorVersion = shell.major;
  info->dwMinorVersion = shell.minor;
  info->dwBuildNumber = 0;
  info->dwPlatformID = DLLVER_PLATFORM_WINDOWS;
  return S_OK;
}

template <typename Proc>
FARPROC Export(Proc proc) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)(void)>(proc));
}

void RegisterShell32(bool withVersion) {
  const hostwin::ModuleExport exports[] = {
      {"SHGetSpecialFolderPathA", Export(SHGetSpecialFolderPathA)},
      {"DllGetVersion", Export(DllGetVersion)},
  };
  hostwin::RegisterBuiltinModule("shell32.dll", exports, withVersion ? 2 : 1);
}

}  // namespace

// As the shell does, a folder that does not exist is made when asked to,
// and otherwise fails the call.
BOOL WINAPI SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create) {
  const SpecialFolder* folder = FolderFor(csidl);
  if (!path || !folder || !folder->resolves || folder->path.size() >= MAX_PATH) return hostwin::Failed(ERROR_FILE_NOT_FOUND);
  if (!IsFolder(folder->path) && !(create && MakeFolders(folder->path))) return hostwin::Failed(ERROR_FILE_NOT_FOUND);
  memcpy(path, folder->path.c_str(), folder->path.size() + 1);
  return TRUE;
}

namespace hostwin {

void SetShellVersion(DWORD major, DWORD minor) {
  shell.major = major;
  shell.minor = minor;
}
void FailShellVersion(HRESULT result) { shell.versionResult = result; }
void RemoveShellVersionEntry() { RegisterShell32(false); }

void SetSpecialFolder(int csidl, const char* path) {
  SpecialFolder* folder = FolderFor(csidl);
  if (!folder) return;
  folder->resolves = path != nullptr;
  folder->path = path ? path : "";
}

std::string SpecialFolderPath(int csidl) {
  const SpecialFolder* folder = FolderFor(csidl);
  return folder && folder->resolves ? folder->path : std::string();
}

// Runs after the libraries' and files' resets: registers the module again
// and makes the two program folders every installation has.
void ResetShell() {
  shell = ShellState();
  RegisterShell32(true);
  MakeFolders(kCommonPrograms);
  MakeFolders(kUserPrograms);
  ResetCom();
  ResetProcesses();
}

}  // namespace hostwin
