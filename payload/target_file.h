// Replacing one target file so that it is never left half-written.
#pragma once

#include <windows.h>

// Writes `size` bytes of `image` to a new temporary file in `folder`, stamps
// it with `fileTime` (creation, access and write time) unless that is null,
// closes it, and only then moves it over `targetPath`. Returns 0, or the Win32
// error code of the step that failed (ERROR_DISK_FULL for a short write,
// ERROR_FILENAME_EXCED_RANGE for a folder too long to hold a temporary
// file); on failure the temporary file is gone and the old target is untouched.
DWORD ReplaceTargetFile(const char* folder, const char* targetPath, const unsigned char* image, DWORD size,
                        const FILETIME* fileTime);
