// The one way this program writes a ".lnk" file.
#pragma once

#include <windows.h>

// Composed shortcut paths, targets and service paths are held in buffers of
// this size. A path that does not fit is never truncated: its shortcut (or
// deletion) is skipped instead.
enum ShellLimit : int { SHELL_PATH_BUFFER = 300 };

// Writes a shell link at `linkPath` (replacing any file there) that starts
// `target` with `arguments` (may be empty) in `workingFolder`. The target is
// not checked. Returns the shell's result: the failure of creating the link
// object, of asking it for IPersistFile, of converting `linkPath` to UTF-16
// (a path over 260 wide characters gives HRESULT_FROM_WIN32 of the error), or
// that of Save.
HRESULT CreateShortcut(const char* target, const char* arguments, const char* linkPath, const char* workingFolder);
