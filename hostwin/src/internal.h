// Shared between the stand-in's areas; not seen by the program.
#pragma once

#include <string>

#include "windows.h"

namespace hostwin {

struct ResourceEntry;
// The module's resource `name` of `type`, or null with the Win32 error.
const ResourceEntry* FindModuleResource(HMODULE module, LPCSTR name, LPCSTR type, DWORD* error);
const unsigned char* ResourceBytes(const ResourceEntry* entry);

void ResetHeap();
void ResetUser();
void ResetFailures();
void ResetFiles();
void ResetRegistry();
// Leaves only kernel32.dll and d3d8.dll: an area with a built-in module
// registers it again in its own reset, which Reset runs after this one.
void ResetLibraries();
// Registers the built-in shell32.dll again and makes the program folders.
void ResetShell();
// Removes the temporary folder C: stands for, if this process made it.
void RemoveOwnRoot();

// True when a test asked for this call to fail now (FailCall); `error` is
// the code it should give.
bool TakeFailure(const char* call, DWORD* error);

// Sets the thread's last error and gives the failure value of a BOOL call.
inline BOOL Failed(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Ends the test process on a use of the Win32 surface the stand-in does not
// stand in for, rather than quietly behaving unlike Windows.
[[noreturn]] void Unsupported(const char* what);

// UTF-16 to the ANSI code page (932), whole characters only.
std::string WideToAnsi(const WCHAR* text, size_t length);
// Whole strings between the ANSI code page and UTF-8 (the host's names);
// false when something has no mapping (ANSI bytes always map, as in
// MultiByteToWideChar).
bool AnsiToUtf8(const std::string& ansi, std::string* utf8);
bool Utf8ToAnsi(const std::string& utf8, std::string* ansi);
// A UTF-8 name in the upper case Windows compares names in.
std::u16string FoldedName(const std::string& utf8);

}  // namespace hostwin
