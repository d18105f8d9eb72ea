// Resources of the executable's own module (the table generated from the
// .rc files at build time).
#pragma once

#include "hostwin/types.h"

#define MAKEINTRESOURCEA(i) ((LPSTR)(ULONG_PTR)((WORD)(i)))
#define IS_INTRESOURCE(p) ((((ULONG_PTR)(p)) >> 16) == 0)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL loaded);
