// Opening and closing files, with Windows' share modes, dispositions and
// attribute rules.
#include <fcntl.h>
#include <unistd.h>

#include "file_table.h"
#include "paths.h"

namespace {

using namespace hostwin;

HANDLE FailOpen(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

bool WritesAttributes(DWORD access) { return (access & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_ATTRIBUTES)) != 0; }

HANDLE OpenExisting(const Location& at, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  struct stat st;
  if (stat(at.host.c_str(), &st) != 0) return FailOpen(ErrorFromErrno(errno));
  const FileId id = IdOf(st);
  if (disposition == CREATE_NEW) return FailOpen(ERROR_FILE_EXISTS);
  if (IsDeletePending(id)) return FailOpen(ERROR_ACCESS_DENIED);

  const DWORD bits = AccessBitsOf(access);
  const bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  FileInfo info = InfoOf(st);
  if ((info.attributes & FILE_ATTRIBUTE_READONLY) && ((bits & ACCESS_WRITE) || truncates))
    return FailOpen(ERROR_ACCESS_DENIED);
  // Replacing a hidden or system file must ask for those attributes again.
  const DWORD kept = info.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  if (disposition == CREATE_ALWAYS && (kept & ~flags)) return FailOpen(ERROR_ACCESS_DENIED);
  if (SharingConflicts(id, bits, share)) return FailOpen(ERROR_SHARING_VIOLATION);

  int fd = open(at.host.c_str(), (bits & ACCESS_WRITE) || truncates ? O_RDWR : O_RDONLY);
  if (fd < 0) return FailOpen(ErrorFromErrno(errno));
  if (truncates) {
    if (ftruncate(fd, 0) != 0) {
      close(fd);
      return FailOpen(ErrorFromErrno(errno));
    }
    ReleaseSpace(at.path.drive, uint64_t(st.st_size));
    info.written = Now();
    if (disposition == CREATE_ALWAYS) info.attributes = (flags & kSettableAttributes) | FILE_ATTRIBUTE_ARCHIVE;
    StoreInfo(st, info);
  }
  HANDLE handle = AddOpenFile(OpenFile{fd, id, bits, WritesAttributes(access), share, 0, at.path.drive});
  SetLastError(disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS ? ERROR_ALREADY_EXISTS : 0);
  return handle;
}

HANDLE CreateNew(const Location& at, DWORD access, DWORD share, DWORD flags) {
  int fd = open(at.host.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return FailOpen(ErrorFromErrno(errno));
  const FileId id = NoteNewFile(fd, flags);
  HANDLE handle = AddOpenFile(OpenFile{fd, id, AccessBitsOf(access), WritesAttributes(access), share, 0, at.path.drive});
  SetLastError(0);
  return handle;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                          DWORD flagsAndAttributes, HANDLE templateFile) {
  if (templateFile) Unsupported("CreateFileA with a template file");
  if (flagsAndAttributes & (FILE_FLAG_OVERLAPPED | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_BACKUP_SEMANTICS))
    Unsupported("CreateFileA with overlapped, delete-on-close or backup semantics");
  DWORD error;
  if (TakeFailure("CreateFileA", &error)) return FailOpen(error);
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) return FailOpen(ERROR_INVALID_PARAMETER);

  Location at;
  if (DWORD located = Locate(path, &at)) return FailOpen(located);
  if (at.isDirectory) return FailOpen(disposition == CREATE_NEW ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED);
  if (at.path.trailingSeparator) return FailOpen(ERROR_INVALID_NAME);
  if (at.exists) return OpenExisting(at, access, share, disposition, flagsAndAttributes);
  if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) return FailOpen(ERROR_FILE_NOT_FOUND);
  return CreateNew(at, access, share, flagsAndAttributes);
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return TRUE;  // the process's own pseudo-handle
  if (!CloseOpenFile(handle)) return Failed(ERROR_INVALID_HANDLE);
  DWORD error;
  if (TakeFailure("CloseHandle", &error)) return Failed(error);  // the handle is gone all the same
  return TRUE;
}

namespace hostwin {

void ResetFiles() {
  ResetFileTable();
  ResetSearches();
  ResetDisks();
  ResetPaths();
}

size_t OpenHandleCount() { return OpenFileCount(); }

}  // namespace hostwin
