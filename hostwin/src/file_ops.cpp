// Attributes, deleting and moving files by name.
#include <errno.h>
#include <stdio.h>
#include <unistd.h>

#include "file_table.h"
#include "paths.h"

namespace {

using namespace hostwin;

// Locates an existing entry and takes its host record; 0 or the error.
DWORD LocateExisting(const char* path, Location* at, struct stat* st) {
  if (DWORD error = Locate(path, at)) return error;
  if (!at->exists || stat(at->host.c_str(), st) != 0) return ERROR_FILE_NOT_FOUND;
  return 0;
}

// Whether a handle open on the file keeps DeleteFileA or MoveFileExA, which
// open it for delete sharing everything, from opening it.
bool RefusesDelete(FileId id) { return SharingConflicts(id, ACCESS_DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE); }

}  // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR path) {
  Location at;
  struct stat st;
  DWORD error;
  if (!TakeFailure("GetFileAttributesA", &error)) error = LocateExisting(path, &at, &st);
  if (!error && IsDeletePending(IdOf(st))) error = ERROR_ACCESS_DENIED;
  if (error) {
    SetLastError(error);
    return INVALID_FILE_ATTRIBUTES;
  }
  return ReportedAttributes(InfoOf(st), at.isDirectory);
}

BOOL WINAPI SetFileAttributesA(LPCSTR path, DWORD attributes) {
  Location at;
  struct stat st;
  DWORD error;
  if (TakeFailure("SetFileAttributesA", &error)) return Failed(error);
  if ((error = LocateExisting(path, &at, &st))) return Failed(error);
  if (IsDeletePending(IdOf(st))) return Failed(ERROR_ACCESS_DENIED);
  FileInfo info = InfoOf(st);
  info.attributes = attributes & kSettableAttributes;
  StoreInfo(st, info);
  return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR path) {
  Location at;
  struct stat st;
  DWORD error;
  if (TakeFailure("DeleteFileA", &error)) return Failed(error);
  if ((error = LocateExisting(path, &at, &st))) return Failed(error);
  if (at.isDirectory) return Failed(ERROR_ACCESS_DENIED);
  const FileId id = IdOf(st);
  if (IsDeletePending(id)) return Failed(ERROR_ACCESS_DENIED);
  if (RefusesDelete(id)) return Failed(ERROR_SHARING_VIOLATION);
  if (InfoOf(st).attributes & FILE_ATTRIBUTE_READONLY) return Failed(ERROR_ACCESS_DENIED);
  if (IsOpen(id)) {
    MarkDeletePending(id, at.host, at.path.drive);
    return TRUE;
  }
  if (unlink(at.host.c_str()) != 0) return Failed(ErrorFromErrno(errno));
  ReleaseSpace(at.path.drive, uint64_t(st.st_size));
  ForgetInfo(id);
  return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
  if (flags & ~(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) Unsupported("MoveFileExA with copying or at reboot");
  Location source, target;
  struct stat st, targetSt;
  DWORD error;
  if (TakeFailure("MoveFileExA", &error)) return Failed(error);
  if ((error = LocateExisting(from, &source, &st))) return Failed(error);
  const FileId id = IdOf(st);
  if (IsDeletePending(id)) return Failed(ERROR_ACCESS_DENIED);
  if (RefusesDelete(id)) return Failed(ERROR_SHARING_VIOLATION);
  if ((error = Locate(to, &target))) return Failed(error);
  if (target.path.drive != source.path.drive) return Failed(ERROR_NOT_SAME_DEVICE);

  const bool replaces = target.exists && stat(target.host.c_str(), &targetSt) == 0 && !(IdOf(targetSt) == id);
  if (replaces) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING)) return Failed(ERROR_ALREADY_EXISTS);
    // Windows replaces only a closed, writable file.
    if (target.isDirectory || source.isDirectory || IsOpen(IdOf(targetSt)) ||
        (InfoOf(targetSt).attributes & FILE_ATTRIBUTE_READONLY))
      return Failed(ERROR_ACCESS_DENIED);
  }
  // A new spelling of the same name takes the spelling given.
  std::string destination = target.host;
  if (target.exists && !replaces) {
    std::string utf8;
    AnsiToUtf8(target.path.parts.back(), &utf8);
    destination = target.folder + "/" + utf8;
  }
  if (rename(source.host.c_str(), destination.c_str()) != 0) return Failed(ErrorFromErrno(errno));
  if (replaces) {
    ReleaseSpace(target.path.drive, uint64_t(targetSt.st_size));
    ForgetInfo(IdOf(targetSt));
  }
  return TRUE;
}
