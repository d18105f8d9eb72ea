#include "windows.h"

namespace {
thread_local DWORD lastError = 0;
}

DWORD WINAPI GetLastError(void) { return lastError; }
void WINAPI SetLastError(DWORD code) { lastError = code; }
