// holdfile [--write] PATH: opens PATH, says "held" on stdout, and keeps it
// open until stdin ends or gives a line; then closes it. For scenarios where
// another program has the target open. Plain, it reads PATH without sharing
// it with anyone; with --write it writes to it too, as an updater or a game
// left running would, and lets others only read it.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  const bool write = argc == 3 && strcmp(argv[1], "--write") == 0;
  if (argc != 2 && !write) {
    fputs("usage: holdfile [--write] PATH\n", stderr);
    return 2;
  }
  const DWORD access = write ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  const DWORD sharing = write ? FILE_SHARE_READ : 0;
  HANDLE file = CreateFileA(argv[argc - 1], access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    printf("failed %lu\n", GetLastError());
    return 1;
  }
  puts("held");
  fflush(stdout);
  char line[16];
  DWORD got = 0;
  ReadFile(GetStdHandle(STD_INPUT_HANDLE), line, sizeof line, &got, nullptr);
  CloseHandle(file);
  return 0;
}
