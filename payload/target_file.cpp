#include "payload/target_file.h"

#include <string.h>

namespace {

// Virus scanners glance at freshly written files; a replace that meets one
// is tried again for about a second before the failure counts.
const int kReplaceAttempts = 10;
const DWORD kReplaceRetryMs = 100;

// GetTempFileNameA takes folders of at most MAX_PATH - 14 bytes; some
// implementations overrun the caller's buffer with a longer one.
const size_t kTempFolderLimit = MAX_PATH - 14;

bool IsTransientReplaceError(DWORD code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED; }

// Writes and stamps the open temporary file; returns 0 or the error code.
DWORD WriteImage(HANDLE file, const unsigned char* image, DWORD size, const FILETIME* fileTime) {
  DWORD written = 0;
  if (!WriteFile(file, image, size, &written, nullptr)) return GetLastError();
  if (written != size) return ERROR_DISK_FULL;  // a full disk may report success with a short count
  if (fileTime && !SetFileTime(file, fileTime, fileTime, fileTime)) return GetLastError();
  return 0;
}

DWORD MoveOverTarget(const char* tempPath, const char* targetPath) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(tempPath, targetPath, MOVEFILE_REPLACE_EXISTING)) return 0;
    DWORD code = GetLastError();
    if (!IsTransientReplaceError(code) || attempt == kReplaceAttempts) return code;
    Sleep(kReplaceRetryMs);
  }
}

}  // namespace

DWORD ReplaceTargetFile(const char* folder, const char* targetPath, const unsigned char* image, DWORD size,
                        const FILETIME* fileTime) {
  char tempPath[MAX_PATH];
  if (strlen(folder) > kTempFolderLimit) return ERROR_FILENAME_EXCED_RANGE;
  if (!GetTempFileNameA(folder, "kp", 0, tempPath)) return GetLastError();

  HANDLE file = CreateFileA(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    DeleteFileA(tempPath);
    return code;
  }
  DWORD code = WriteImage(file, image, size, fileTime);
  if (!CloseHandle(file) && code == 0) code = GetLastError();
  if (code == 0) code = MoveOverTarget(tempPath, targetPath);
  if (code != 0) DeleteFileA(tempPath);
  return code;
}
