// What tests can see and set in the stand-in. Not part of the Win32 surface:
// only tests include this.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "hostwin/libraries.h"
#include "hostwin/registry.h"
#include "hostwin/types.h"

namespace hostwin {

// Every message box the program showed, in order.
struct BoxRecord {
  HWND owner;
  std::string text;     // bytes as passed, in the ANSI code page
  std::string caption;  // likewise
  UINT style;
  int answer;
  bool closedUnanswered;  // the queue was empty: answered as a person closing it
};

// Answers for the next boxes, in order. An empty queue answers IDNO to a
// Yes/No box and IDOK to any other, and marks the record closedUnanswered.
void QueueAnswers(const std::vector<int>& answers);
const std::vector<BoxRecord>& Boxes();
void ClearBoxes();
// Called as each box is shown (after it is answered), or null.
void SetBoxObserver(void (*observer)(const BoxRecord& box));

// Heap requests above this many bytes fail, as a 32-bit process's heap
// refuses sizes it can never have. Default: 0x7FFF0000.
void SetHeapLimit(size_t bytes);

// --- Files and paths -------------------------------------------------------
// Windows paths live on host folders: C: is a fresh temporary folder after
// each Reset (with windows\system32, users\user\Temp and users\user\Downloads),
// removed when the process ends. Names are matched case-blind as Windows
// does; a name's host spelling is its code page 932 bytes in UTF-8.

// Maps drive `letter` to an existing host folder ("" unmaps it). C: mapped
// to a folder of the test's gets the standard folders made in it.
void MapDrive(char letter, const std::string& hostFolder);
// The host path a Windows path names (the existing entry's own spelling, or
// where it would be made), or "" when its folder does not exist.
std::string HostPath(const char* windowsPath);
// The folder relative paths start from and LoadLibraryA searches first, as
// the folder a program was started from. Default: "C:\users\user\Downloads".
void SetApplicationFolder(const char* windowsPath);
// File handles still open.
size_t OpenHandleCount();
// Search handles (FindFirstFileA) not yet closed.
size_t OpenSearchCount();

// The drive has only `bytes` more to give: writes that would grow files past
// it fail (or come up short, below). Deleting and truncating give space back.
void LimitFreeSpace(char drive, uint64_t bytes);
// What a write that does not fit does: Fail is what Windows does (FALSE,
// ERROR_DISK_FULL, nothing written); ShortCount is what Wine does (writes
// what fits and returns TRUE with the short count; FALSE and 112 only when
// nothing fits). Default: Fail.
enum class FullDiskWrites { Fail, ShortCount };
void SetFullDiskWrites(FullDiskWrites behaviour);

// --- Registry --------------------------------------------------------------
// Keys are made with the keys above them; names are matched case-blind.
void CreateRegistryKey(HKEY root, const char* key);
// Stores `data` exactly as given: a string value carries a terminator only if
// `data` ends with one (RegQueryValueExA's rules for both are Windows').
void SetRegistryValue(HKEY root, const char* key, const char* name, DWORD type, const std::string& data);
void DeleteRegistryValue(HKEY root, const char* key, const char* name);
void DeleteRegistryKey(HKEY root, const char* key);
// The key grants only KEY_READ: opening it asking for more fails with 5.
void RefuseFullAccess(HKEY root, const char* key);
// Each RegOpenKeyExA call: the key as spelled below its root, the access
// asked for, and the result.
struct RegistryOpen {
  std::string key;
  REGSAM access;
  LONG result;
};
const std::vector<RegistryOpen>& RegistryOpens();

// --- Libraries -------------------------------------------------------------
// A library exists when it is built in (RegisterBuiltinModule) or marked
// present; LoadLibraryA searches for a bare name in the application folder,
// then the system folder, then the Windows folder, except that a loaded
// library, or one built into the system folder, answers to its bare name
// anywhere. By default kernel32.dll and d3d8.dll are in the system folder.
struct ModuleExport {
  const char* name;
  FARPROC proc;
};
// A library with these exports; a bare name puts it in the system folder.
void RegisterBuiltinModule(const char* pathOrName, const ModuleExport* exports, size_t count);
// Adds or removes a library without exports at `path` (a bare name: in the
// system folder).
void SetLibraryPresent(const char* path, bool present);
// Each LoadLibraryA call: the name as passed and the library's path, or ""
// when it failed.
struct LibraryLoad {
  std::string requested;
  std::string loadedFrom;
};
const std::vector<LibraryLoad>& LibraryLoads();
// Loads not yet matched by FreeLibrary.
int LoadedLibraryCount();
// Whether kernel32.dll exports SetDefaultDllDirectories (Windows 8 and
// later, or 7 with its update). Default: it does not.
void ExportSetDefaultDllDirectories(bool exported);
// The flags the program passed to SetDefaultDllDirectories, or 0.
DWORD DefaultDllDirectories();

// --- Failures on demand ----------------------------------------------------
// The next call of `call` (a Win32 function name such as "WriteFile"), after
// `after` calls that succeed as usual, fails with `error` instead of doing
// its work. Stand-in functions that take part: CreateFileA, CloseHandle
// (closes, then fails), ReadFile, WriteFile, SetFileTime, GetFileAttributesA,
// SetFileAttributesA, DeleteFileA, MoveFileExA, GetTempFileNameA,
// CreateDirectoryA, RemoveDirectoryA, FindFirstFileA, RegOpenKeyExA,
// RegQueryValueExA, LoadLibraryA, FindResourceA, SizeofResource (gives 0),
// LoadResource, LockResource.
void FailCall(const char* call, DWORD error, unsigned after = 0);

// Puts every piece of stand-in state back to its start.
void Reset();

}  // namespace hostwin
