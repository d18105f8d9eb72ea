// The side table of attributes and times, and the open file handles.
#include "file_table.h"

#include <errno.h>
#include <time.h>
#include <unistd.h>

#include <map>

namespace hostwin {

namespace {

// 100 ns intervals from 1601-01-01 (FILETIME's start) to 1970-01-01.
const uint64_t kUnixEpoch = 116444736000000000ULL;
const uintptr_t kFirstHandle = 0x100;

std::map<FileId, FileInfo> infos;
std::map<uintptr_t, OpenFile> openFiles;
struct PendingDelete {
  std::string host;
  char drive;
};
std::map<FileId, PendingDelete> pendingDeletes;
uintptr_t nextHandle = kFirstHandle;

FILETIME FromTimespec(const struct timespec& t) {
  uint64_t ticks = kUnixEpoch + uint64_t(t.tv_sec) * 10000000ULL + uint64_t(t.tv_nsec) / 100;
  return FILETIME{DWORD(ticks), DWORD(ticks >> 32)};
}

}  // namespace

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC: case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    default: return ERROR_ACCESS_DENIED;
  }
}

FileId IdOf(const struct stat& st) { return FileId{st.st_dev, st.st_ino}; }

FileInfo InfoOf(const struct stat& st) {
  auto stored = infos.find(IdOf(st));
  if (stored != infos.end()) return stored->second;
  FILETIME written = FromTimespec(st.st_mtim);
  return FileInfo{S_ISDIR(st.st_mode) ? 0u : DWORD(FILE_ATTRIBUTE_ARCHIVE), written, FromTimespec(st.st_atim), written};
}

void StoreInfo(const struct stat& st, const FileInfo& info) { infos[IdOf(st)] = info; }
void ForgetInfo(FileId id) { infos.erase(id); }

FileId NoteNewFile(int fd, DWORD attributes) {
  struct stat st;
  fstat(fd, &st);
  const FILETIME now = Now();
  StoreInfo(st, FileInfo{(attributes & kSettableAttributes) | FILE_ATTRIBUTE_ARCHIVE, now, now, now});
  return IdOf(st);
}

DWORD ReportedAttributes(const FileInfo& info, bool directory) {
  if (directory) return info.attributes | FILE_ATTRIBUTE_DIRECTORY;
  return info.attributes ? info.attributes : DWORD(FILE_ATTRIBUTE_NORMAL);
}

FILETIME Now() {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return FromTimespec(now);
}

DWORD AccessBitsOf(DWORD desired) {
  DWORD bits = 0;
  if (desired & (GENERIC_READ | GENERIC_ALL | FILE_READ_DATA)) bits |= ACCESS_READ;
  if (desired & (GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA)) bits |= ACCESS_WRITE;
  if (desired & (DELETE | GENERIC_ALL)) bits |= ACCESS_DELETE;
  return bits;
}

HANDLE NewHandleValue() {
  uintptr_t value = nextHandle;
  nextHandle += 4;  // like Windows' handles, multiples of four, never reused here
  return reinterpret_cast<HANDLE>(value);
}

HANDLE AddOpenFile(const OpenFile& file) {
  HANDLE handle = NewHandleValue();
  openFiles[reinterpret_cast<uintptr_t>(handle)] = file;
  return handle;
}

OpenFile* FindOpenFile(HANDLE handle) {
  auto found = openFiles.find(reinterpret_cast<uintptr_t>(handle));
  return found == openFiles.end() ? nullptr : &found->second;
}

bool CloseOpenFile(HANDLE handle) {
  auto found = openFiles.find(reinterpret_cast<uintptr_t>(handle));
  if (found == openFiles.end()) return false;
  const FileId id = found->second.id;
  struct stat st;
  const bool sized = fstat(found->second.fd, &st) == 0;
  close(found->second.fd);
  openFiles.erase(found);
  auto pending = pendingDeletes.find(id);
  if (pending != pendingDeletes.end() && !IsOpen(id)) {
    unlink(pending->second.host.c_str());
    if (sized) ReleaseSpace(pending->second.drive, uint64_t(st.st_size));
    ForgetInfo(id);
    pendingDeletes.erase(pending);
  }
  return true;
}

bool SharingConflicts(FileId id, DWORD access, DWORD share) {
  if (!access) return false;  // an open that touches no data meets no share mode
  for (const auto& entry : openFiles) {
    const OpenFile& open = entry.second;
    if (!(open.id == id) || !open.access) continue;
    if (((access & ACCESS_READ) && !(open.share & FILE_SHARE_READ)) ||
        ((access & ACCESS_WRITE) && !(open.share & FILE_SHARE_WRITE)) ||
        ((access & ACCESS_DELETE) && !(open.share & FILE_SHARE_DELETE)) ||
        ((open.access & ACCESS_READ) && !(share & FILE_SHARE_READ)) ||
        ((open.access & ACCESS_WRITE) && !(share & FILE_SHARE_WRITE)) ||
        ((open.access & ACCESS_DELETE) && !(share & FILE_SHARE_DELETE)))
      return true;
  }
  return false;
}

bool IsOpen(FileId id) {
  for (const auto& entry : openFiles)
    if (entry.second.id == id) return true;
  return false;
}

void MarkDeletePending(FileId id, const std::string& host, char drive) { pendingDeletes[id] = PendingDelete{host, drive}; }
bool IsDeletePending(FileId id) { return pendingDeletes.count(id) != 0; }

size_t OpenFileCount() { return openFiles.size(); }

void ResetFileTable() {
  for (const auto& entry : openFiles) close(entry.second.fd);
  openFiles.clear();
  pendingDeletes.clear();
  infos.clear();
  nextHandle = kFirstHandle;
}

}  // namespace hostwin
