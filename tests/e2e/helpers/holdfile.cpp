// holdfile [--write | --glance MS] PATH: opens PATH, says "held" on stdout,
// and keeps it open until stdin ends or gives a line; then closes it. For
// scenarios where another program has the target open. Plain, it reads PATH
// without sharing it with anyone; with --write it writes to it too, as an
// updater or a game left running would, and lets others only read it. With
// --glance it reads PATH as plainly, but only as a virus scanner glances at
// a file: it lets go MS milliseconds after the installer's first temporary
// file ("kp*.tmp") shows up beside PATH, and says "waited" when that file
// was still there then, that is, the installer had not yet put it in PATH's
// place, or "gone".
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD kPollMs = 10;
const DWORD kGiveUpMs = 20000;

bool Exists(const char* pattern) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// Waits for `pattern` to match; false after kGiveUpMs.
bool WaitFor(const char* pattern) {
  for (DWORD waited = 0; waited < kGiveUpMs; waited += kPollMs) {
    if (Exists(pattern)) return true;
    Sleep(kPollMs);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const bool write = argc == 3 && strcmp(argv[1], "--write") == 0;
  const bool glance = argc == 4 && strcmp(argv[1], "--glance") == 0;
  if (argc != 2 && !write && !glance) {
    fputs("usage: holdfile [--write | --glance MS] PATH\n", stderr);
    return 2;
  }
  const char* path = argv[argc - 1];
  const DWORD access = write ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  const DWORD sharing = write ? FILE_SHARE_READ : 0;
  HANDLE file = CreateFileA(path, access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    printf("failed %lu\n", GetLastError());
    return 1;
  }
  puts("held");
  fflush(stdout);
  if (glance) {
    char temporary[MAX_PATH];
    const char* slash = strrchr(path, '\\');
    if (!slash || snprintf(temporary, sizeof temporary, "%.*s\\kp*.tmp", int(slash - path), path) >= MAX_PATH ||
        !WaitFor(temporary)) {
      CloseHandle(file);
      return 1;
    }
    Sleep(strtoul(argv[2], nullptr, 10));
    puts(Exists(temporary) ? "waited" : "gone");
    fflush(stdout);
    CloseHandle(file);
    return 0;
  }
  char line[16];
  DWORD got = 0;
  ReadFile(GetStdHandle(STD_INPUT_HANDLE), line, sizeof line, &got, nullptr);
  CloseHandle(file);
  return 0;
}
