// Folders, temporary file names and the system's own folders.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "file_table.h"
#include "paths.h"

namespace {

using namespace hostwin;

const size_t kTempPrefixChars = 3;
const size_t kTempNumberChars = 8;  // up to four hex digits and ".tmp"
const UINT kTempNumbers = 0x10000;

UINT tempNumber = 0;

// Copies `text` out as the path calls do: the length without the terminator,
// or when it does not fit the size it needs with it.
UINT CopyOut(const char* text, LPSTR buffer, UINT capacity) {
  const UINT length = UINT(strlen(text));
  if (!buffer || capacity <= length) return length + 1;
  memcpy(buffer, text, length + 1);
  return length;
}

bool EndsWithSeparator(const std::string& path) {
  bool separator = false;
  for (size_t i = 0; i < path.size(); ++i) {
    separator = path[i] == '\\' || path[i] == '/';
    if (IsDBCSLeadByte(BYTE(path[i])) && i + 1 < path.size()) ++i;
  }
  return separator;
}

std::string FirstChars(const char* text, size_t chars) {
  std::string out;
  for (size_t i = 0; text[i] && chars; --chars) {
    size_t step = IsDBCSLeadByte(BYTE(text[i])) && text[i + 1] ? 2 : 1;
    out.append(text + i, step);
    i += step;
  }
  return out;
}

UINT FailNumber(DWORD error) {
  SetLastError(error);
  return 0;
}

// Makes the empty file `path` unless something of that name is there.
DWORD CreateTempFile(const std::string& path) {
  Location at;
  if (DWORD error = Locate(path.c_str(), &at)) return error;
  if (at.exists) return ERROR_FILE_EXISTS;
  int fd = open(at.host.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return ErrorFromErrno(errno);
  NoteNewFile(fd, FILE_ATTRIBUTE_NORMAL);
  close(fd);
  return 0;
}

}  // namespace

BOOL WINAPI CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security) {
  Location at;
  DWORD error;
  if (TakeFailure("CreateDirectoryA", &error)) return Failed(error);
  if ((error = Locate(path, &at))) return Failed(error);
  if (at.exists) return Failed(ERROR_ALREADY_EXISTS);
  if (mkdir(at.host.c_str(), 0777) != 0) return Failed(ErrorFromErrno(errno));
  struct stat st;
  stat(at.host.c_str(), &st);
  const FILETIME now = Now();
  StoreInfo(st, FileInfo{0, now, now, now});
  return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR path) {
  Location at;
  DWORD error;
  if (TakeFailure("RemoveDirectoryA", &error)) return Failed(error);
  if ((error = Locate(path, &at))) return Failed(error);
  struct stat st;
  if (!at.exists || stat(at.host.c_str(), &st) != 0) return Failed(ERROR_FILE_NOT_FOUND);
  if (!at.isDirectory) return Failed(ERROR_DIRECTORY);
  if (at.path.parts.empty() || (InfoOf(st).attributes & FILE_ATTRIBUTE_READONLY)) return Failed(ERROR_ACCESS_DENIED);
  if (rmdir(at.host.c_str()) != 0) return Failed(ErrorFromErrno(errno));
  ForgetInfo(IdOf(st));
  return TRUE;
}

UINT WINAPI GetTempFileNameA(LPCSTR folder, LPCSTR prefix, UINT unique, LPSTR name) {
  if (!folder || !name) return FailNumber(ERROR_INVALID_PARAMETER);
  DWORD error;
  if (TakeFailure("GetTempFileNameA", &error)) return FailNumber(error);
  std::string base = folder;
  if (!EndsWithSeparator(base)) base += '\\';
  base += FirstChars(prefix ? prefix : "", kTempPrefixChars);
  // The caller's buffer holds MAX_PATH bytes; the longest name must fit.
  if (base.size() + kTempNumberChars >= MAX_PATH) return FailNumber(ERROR_BUFFER_OVERFLOW);

  char candidate[MAX_PATH * 2];
  if (unique) {
    unique &= 0xFFFF;  // only the low 16 bits make the name
    snprintf(candidate, sizeof candidate, "%s%X.tmp", base.c_str(), unique);
    memcpy(name, candidate, strlen(candidate) + 1);
    return unique;
  }
  Location at;
  if (Locate(folder, &at) != 0 || !at.isDirectory) return FailNumber(ERROR_DIRECTORY);
  if (tempNumber == 0) tempNumber = UINT(Now().dwLowDateTime / 10000);  // like Windows, from the clock
  for (UINT tries = 0; tries < kTempNumbers; ++tries) {
    tempNumber = (tempNumber + 1) & 0xFFFF;
    if (tempNumber == 0) continue;
    snprintf(candidate, sizeof candidate, "%s%X.tmp", base.c_str(), tempNumber);
    error = CreateTempFile(candidate);
    if (error == 0) {
      memcpy(name, candidate, strlen(candidate) + 1);
      SetLastError(0);
      return tempNumber;
    }
    if (error != ERROR_FILE_EXISTS && error != ERROR_ACCESS_DENIED) return FailNumber(error);
  }
  return FailNumber(ERROR_FILE_EXISTS);
}

DWORD WINAPI GetTempPathA(DWORD capacity, LPSTR buffer) {
  DriveFolder('C');  // the folder exists once C: does
  return CopyOut(kTempFolder, buffer, capacity);
}

UINT WINAPI GetSystemDirectoryA(LPSTR buffer, UINT capacity) {
  DriveFolder('C');
  return CopyOut(kSystemFolder, buffer, capacity);
}
