// Windows paths on the host: how the file areas find what a path names.
#pragma once

#include <string>
#include <vector>

#include "internal.h"

namespace hostwin {

// A path as Windows reads it, taken apart.
struct WindowsPath {
  char drive = 'C';
  std::vector<std::string> parts;  // ANSI names; no empty, "." or ".." parts
  bool trailingSeparator = false;
};

// Reads `path` as Windows does: absolute, rooted, drive-relative or relative
// to the current folder; either slash; doubled separators; "." and ".."; the
// name's trailing dots and spaces dropped; a 0x5C trail byte is part of its
// character. `wildcards` lets the last name hold * and ?. 0 or the error code.
DWORD ParsePath(const char* path, WindowsPath* out, bool wildcards = false);
// Where the last name in `ansi` starts: after its last separator, a 0x5C
// trail byte not counting as one.
size_t NameStart(const std::string& ansi);
// Whether `ansi` names a folder (or drive) as well as a name.
bool HasFolder(const std::string& ansi);
// "C:\a\b" (or "C:\" for a root).
std::string JoinPath(const WindowsPath& path);
// The upper-case form two spellings of one path share.
std::u16string PathKey(const WindowsPath& path);

struct Location {
  WindowsPath path;
  std::string folder;  // host path of the folder the entry is in ("" for a root)
  std::string host;    // host path of the entry: its own spelling when it exists
  bool exists = false;
  bool isDirectory = false;
};

// Finds what `path` names; every folder above it must exist. 0 or the error.
DWORD Locate(const char* path, Location* out, bool wildcards = false);

// The host folder a drive letter stands for, or "" when none is mapped.
// C: is a fresh temporary folder after each reset, made on first use.
std::string DriveFolder(char letter);

// Where relative paths start and LoadLibraryA looks first.
const WindowsPath& ApplicationFolder();

void ResetPaths();

extern const char kSystemFolder[];
extern const char kWindowsFolder[];
extern const char kTempFolder[];  // with its trailing backslash, as GetTempPathA gives it

}  // namespace hostwin
