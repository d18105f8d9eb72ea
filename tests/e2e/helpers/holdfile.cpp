// holdfile PATH: opens PATH for reading without sharing it with anyone, says
// "held" on stdout, and keeps it open until stdin ends or gives a line; then
// closes it. For scenarios where another program has the target open.
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fputs("usage: holdfile PATH\n", stderr);
    return 2;
  }
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
