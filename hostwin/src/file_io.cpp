// Reading, writing, seeking and stamping open files.
#include <errno.h>
#include <unistd.h>

#include "file_table.h"

namespace {

using namespace hostwin;

bool IsKept(const FILETIME* time) {
  // Null, zero and all-ones all leave a time as it is.
  return !time || (time->dwLowDateTime == 0 && time->dwHighDateTime == 0) ||
         (time->dwLowDateTime == 0xFFFFFFFF && time->dwHighDateTime == 0xFFFFFFFF);
}

// The host's write, all of it unless the host's disk fills.
ssize_t WriteAll(int fd, const void* buffer, size_t bytes, uint64_t at) {
  size_t done = 0;
  while (done < bytes) {
    ssize_t step = pwrite(fd, static_cast<const char*>(buffer) + done, bytes - done, off_t(at + done));
    if (step < 0 && errno == EINTR) continue;
    if (step <= 0) return done ? ssize_t(done) : step;
    done += size_t(step);
  }
  return ssize_t(done);
}

// How much of a write of `bytes` fits on the drive: all of it, or (as Wine
// reports a full disk) what fits, or nothing.
DWORD BytesThatFit(const OpenFile& file, uint64_t size, DWORD bytes) {
  const uint64_t end = file.position + bytes;
  const uint64_t room = SpaceLeft(file.drive);
  if (end <= size || end - size <= room) return bytes;
  if (!ShortWritesWhenFull()) return 0;
  const uint64_t limit = size + room;
  return limit > file.position ? DWORD(limit - file.position) : 0;
}

// The open file behind `handle` if it may do `access` (AccessBits), else
// null with the error set.
OpenFile* FileFor(HANDLE handle, const char* call, DWORD access) {
  OpenFile* file = FindOpenFile(handle);
  DWORD error = 0;
  if (!file)
    error = ERROR_INVALID_HANDLE;
  else if (!TakeFailure(call, &error) && !(file->access & access))
    error = ERROR_ACCESS_DENIED;
  if (!error) return file;
  SetLastError(error);
  return nullptr;
}

}  // namespace

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD bytes, LPDWORD read, LPOVERLAPPED overlapped) {
  if (overlapped || !read) Unsupported("ReadFile without a byte count, or overlapped");
  *read = 0;
  OpenFile* file = FileFor(handle, "ReadFile", ACCESS_READ);
  if (!file) return FALSE;
  if (bytes && !buffer) Unsupported("ReadFile into a null buffer");
  ssize_t done = pread(file->fd, buffer, bytes, off_t(file->position));
  if (done < 0) return Failed(ErrorFromErrno(errno));
  file->position += uint64_t(done);
  *read = DWORD(done);
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytes, LPDWORD written, LPOVERLAPPED overlapped) {
  if (overlapped || !written) Unsupported("WriteFile without a byte count, or overlapped");
  *written = 0;
  OpenFile* file = FileFor(handle, "WriteFile", ACCESS_WRITE);
  if (!file) return FALSE;
  if (bytes == 0) return TRUE;
  if (!buffer) Unsupported("WriteFile from a null buffer");

  struct stat st;
  if (fstat(file->fd, &st) != 0) return Failed(ErrorFromErrno(errno));
  const uint64_t size = uint64_t(st.st_size);
  const DWORD fits = BytesThatFit(*file, size, bytes);
  if (fits == 0) return Failed(ERROR_DISK_FULL);
  ssize_t done = WriteAll(file->fd, buffer, fits, file->position);
  const int hostError = errno;
  if (done < ssize_t(fits) && (done <= 0 || !ShortWritesWhenFull())) {
    // Windows writes nothing when the disk cannot take the whole write.
    if (done > 0 && ftruncate(file->fd, off_t(size)) != 0) return Failed(ErrorFromErrno(errno));
    return Failed(done < 0 ? ErrorFromErrno(hostError) : ERROR_DISK_FULL);
  }
  const uint64_t end = file->position + uint64_t(done);
  if (end > size) UseSpace(file->drive, end - size);
  file->position = end;
  *written = DWORD(done);

  FileInfo info = InfoOf(st);
  info.written = Now();
  StoreInfo(st, info);
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD method) {
  OpenFile* file = FindOpenFile(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_SET_FILE_POINTER;
  }
  const int64_t move = distanceHigh ? int64_t(uint64_t(uint32_t(*distanceHigh)) << 32 | uint32_t(distance)) : distance;
  struct stat st;
  int64_t base = 0;
  if (method == FILE_CURRENT) {
    base = int64_t(file->position);
  } else if (method == FILE_END) {
    if (fstat(file->fd, &st) != 0) {
      SetLastError(ErrorFromErrno(errno));
      return INVALID_SET_FILE_POINTER;
    }
    base = st.st_size;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  const int64_t position = base + move;
  if (position < 0 || (!distanceHigh && position > 0xFFFFFFFFLL)) {
    SetLastError(position < 0 ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  file->position = uint64_t(position);
  if (distanceHigh) *distanceHigh = LONG(uint64_t(position) >> 32);
  // A position whose low half is all ones is told from a failure by the error.
  if (DWORD(position) == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
  return DWORD(position);
}

DWORD WINAPI GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
  OpenFile* file = FindOpenFile(handle);
  struct stat st;
  if (!file || fstat(file->fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_FILE_SIZE;
  }
  if (sizeHigh) *sizeHigh = DWORD(uint64_t(st.st_size) >> 32);
  if (DWORD(st.st_size) == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
  return DWORD(st.st_size);
}

BOOL WINAPI GetFileTime(HANDLE handle, LPFILETIME created, LPFILETIME accessed, LPFILETIME written) {
  OpenFile* file = FindOpenFile(handle);
  struct stat st;
  if (!file || fstat(file->fd, &st) != 0) return Failed(ERROR_INVALID_HANDLE);
  const FileInfo info = InfoOf(st);
  if (created) *created = info.created;
  if (accessed) *accessed = info.accessed;
  if (written) *written = info.written;
  return TRUE;
}

BOOL WINAPI SetFileTime(HANDLE handle, const FILETIME* created, const FILETIME* accessed, const FILETIME* written) {
  OpenFile* file = FindOpenFile(handle);
  struct stat st;
  if (!file || fstat(file->fd, &st) != 0) return Failed(ERROR_INVALID_HANDLE);
  DWORD error;
  if (TakeFailure("SetFileTime", &error)) return Failed(error);
  if (!file->writesAttributes) return Failed(ERROR_ACCESS_DENIED);
  FileInfo info = InfoOf(st);
  if (!IsKept(created)) info.created = *created;
  if (!IsKept(accessed)) info.accessed = *accessed;
  if (!IsKept(written)) info.written = *written;
  StoreInfo(st, info);
  return TRUE;
}
