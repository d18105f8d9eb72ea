// Process, heap and error-text services.
#pragma once

#include "hostwin/types.h"

HANDLE WINAPI GetProcessHeap(void);
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block);
#define HEAP_ZERO_MEMORY 0x00000008

HLOCAL WINAPI LocalFree(HLOCAL block);

[[noreturn]] void WINAPI ExitProcess(UINT exitCode);
void WINAPI Sleep(DWORD milliseconds);

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
DWORD WINAPI FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer,
                            DWORD size, void* arguments);
