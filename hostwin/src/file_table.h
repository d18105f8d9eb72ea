// What the file areas share: the attributes and times the host cannot keep,
// the open file handles with their share modes, and each drive's free space.
#pragma once

#include <stdint.h>
#include <sys/stat.h>

#include <string>

#include "internal.h"

namespace hostwin {

// The Win32 error for a failed host file call's errno.
DWORD ErrorFromErrno(int error);

// One file on the host, whatever name it goes by.
struct FileId {
  dev_t device;
  ino_t inode;
  bool operator<(const FileId& other) const {
    return device != other.device ? device < other.device : inode < other.inode;
  }
  bool operator==(const FileId& other) const { return device == other.device && inode == other.inode; }
};
FileId IdOf(const struct stat& st);

// Attributes (without FILE_ATTRIBUTE_DIRECTORY) and times at full 100 ns
// precision, kept beside the host's own record of the file.
struct FileInfo {
  DWORD attributes;
  FILETIME created;
  FILETIME accessed;
  FILETIME written;
};
// The stored info, or for a file the stand-in never touched what the host
// knows of it.
FileInfo InfoOf(const struct stat& st);
void StoreInfo(const struct stat& st, const FileInfo& info);
void ForgetInfo(FileId id);
// Records a file just made through `fd`: the attributes given plus
// FILE_ATTRIBUTE_ARCHIVE, every time now. Gives its id.
FileId NoteNewFile(int fd, DWORD attributes);
// What GetFileAttributesA reports for it.
DWORD ReportedAttributes(const FileInfo& info, bool directory);
FILETIME Now();
// The attributes a file may carry, as SetFileAttributesA and CreateFileA take them.
const DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Which data a handle may touch, as share modes count it.
enum AccessBits : DWORD { ACCESS_READ = 1, ACCESS_WRITE = 2, ACCESS_DELETE = 4 };
DWORD AccessBitsOf(DWORD desired);

struct OpenFile {
  int fd;
  FileId id;
  DWORD access;  // AccessBits
  bool writesAttributes;
  DWORD share;
  uint64_t position;
  char drive;
};
HANDLE AddOpenFile(const OpenFile& file);
OpenFile* FindOpenFile(HANDLE handle);
// Closes the handle; after the last handle of a file deleted while open, the
// file goes. False for a handle that is not an open file.
bool CloseOpenFile(HANDLE handle);
// Whether another open of the file for `access` (AccessBits) sharing `share`
// meets a handle already open on it that refuses it, or that it refuses.
bool SharingConflicts(FileId id, DWORD access, DWORD share);
bool IsOpen(FileId id);
// DeleteFileA on a file still open: the name stays until its last handle closes.
void MarkDeletePending(FileId id, const std::string& host, char drive);
bool IsDeletePending(FileId id);
// A fresh value for a file or search handle.
HANDLE NewHandleValue();
size_t OpenFileCount();
void ResetFileTable();

// Free space on drives a test limited; everything else is unlimited.
uint64_t SpaceLeft(char drive);
void UseSpace(char drive, uint64_t bytes);
void ReleaseSpace(char drive, uint64_t bytes);
// Wine's way with a write that does not fit: what fits, reported as success.
bool ShortWritesWhenFull();
void ResetDisks();

// Search handles (FindFirstFileA).
void ResetSearches();

}  // namespace hostwin
