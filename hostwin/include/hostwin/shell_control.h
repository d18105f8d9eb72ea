// What tests can see and set in the stand-in's shell, COM and process
// start. Not part of the Win32 surface: only tests include this.
#pragma once

#include <string>
#include <vector>

#include "hostwin/types.h"

namespace hostwin {

// The version shell32.dll's DllGetVersion reports. Default: 5.0.
void SetShellVersion(DWORD major, DWORD minor);
// Makes DllGetVersion answer `result` (a failure) instead of the version.
void FailShellVersion(HRESULT result);
// Leaves DllGetVersion out of shell32.dll's exports.
void RemoveShellVersionEntry();

// The folder SHGetSpecialFolderPathA gives for CSIDL_COMMON_PROGRAMS or
// CSIDL_PROGRAMS; null makes that call fail. The folder need not exist.
// Defaults: "C:\Documents and Settings\All Users\Start Menu\Programs" and
// "C:\Documents and Settings\Player\Start Menu\Programs".
void SetSpecialFolder(int csidl, const char* path);
// The folder set for `csidl`, or "" when its call fails.
std::string SpecialFolderPath(int csidl);

// CoCreateInstance of the shell link answers `result` (a failure).
void FailShellLinkCreation(HRESULT result);
// CoInitialize calls since the last reset; COM objects not yet released.
int ComInitializations();
int LiveComObjects();

// Each WinExec call. `result` is what it returned: 33 when the quoted (or
// first) program exists as a file, else 2 or 3 as Windows gives.
struct LaunchRecord {
  std::string commandLine;
  UINT show;
  UINT result;
};
const std::vector<LaunchRecord>& Launches();

}  // namespace hostwin
