// ANSI code page services. The stand-in's ANSI code page is 932 (Japanese).
#pragma once

#include "hostwin/types.h"

#define CP_ACP 0
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001

UINT WINAPI GetACP(void);
BOOL WINAPI IsDBCSLeadByte(BYTE c);
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR wide, int wideCapacity);
