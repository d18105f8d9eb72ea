// A program planted where a careless launch would find it first, such as
// "C:\Program.exe" for an unquoted "C:\Program Files\...". Were it ever run,
// it leaves "<its name>_RAN.txt" beside itself ("C:\Program_RAN.txt") holding
// the command line it was given.
#include <windows.h>

#include "marker.h"

int main() {
  const char* commandLine = GetCommandLineA();
  LeaveMarker(nullptr, "_RAN.txt", commandLine, DWORD(lstrlenA(commandLine)));
  return 0;
}
