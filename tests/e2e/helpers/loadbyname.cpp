// loadbyname NAME: loads a library by its bare name, as a careless program
// would; exits 0 when it loaded. Shows that a planted library is found where
// a scenario plants it.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HMODULE library = LoadLibraryA(argv[1]);
  if (!library) return 1;
  FreeLibrary(library);
  return 0;
}
