// Entry points of libraries loaded at run time.
#pragma once

#include <windows.h>

// GetProcAddress as the entry point's own function type, or null. The cast
// goes through void(*)(void), the one function type any other converts to
// without a warning.
template <typename Proc>
Proc FindEntryPoint(HMODULE library, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)(void)>(GetProcAddress(library, name)));
}
