// The process heap, with a ceiling like a 32-bit process's; process exit and sleep.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "hostwin/control.h"
#include "internal.h"

namespace {
const size_t kDefaultHeapLimit = 0x7FFF0000;
size_t heapLimit = kDefaultHeapLimit;
int processHeap;
}  // namespace

namespace hostwin {
void SetHeapLimit(size_t bytes) { heapLimit = bytes; }
void ResetHeap() { heapLimit = kDefaultHeapLimit; }
}  // namespace hostwin

HANDLE WINAPI GetProcessHeap(void) { return &processHeap; }

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (heap != &processHeap || bytes > heapLimit) return nullptr;  // HeapAlloc sets no error code
  void* block = malloc(bytes ? bytes : 1);
  if (block && (flags & HEAP_ZERO_MEMORY)) memset(block, 0, bytes);
  return block;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block) {
  if (heap != &processHeap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  free(block);
  return TRUE;
}

HLOCAL WINAPI LocalFree(HLOCAL block) {
  free(block);
  return nullptr;
}

void WINAPI Sleep(DWORD milliseconds) { usleep(useconds_t(milliseconds) * 1000); }

void WINAPI ExitProcess(UINT exitCode) {
  // Like Windows, end the process without running the C runtime's exit-time
  // work of a half-finished program; flush what was printed first, and take
  // the stand-in's temporary C: folder along.
  fflush(nullptr);
  hostwin::RemoveOwnRoot();
  _exit(int(exitCode));
}
