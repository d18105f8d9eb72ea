// winexec COMMAND: starts COMMAND with WinExec exactly as given, without
// quotes, as a careless program would; exits 0 when it started. Shows that a
// planted program is found where a scenario plants it.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  return WinExec(argv[1], SW_SHOWNORMAL) > 31 ? 0 : 1;
}
