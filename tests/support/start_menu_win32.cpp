// Windows: the real stand-in for the service's installer, which leaves
// "ArcadeInstallKELMOR101b.ran" beside itself when run.
#include <windows.h>

#include "start_menu.h"

bool PlaceServiceInstaller(const std::string& folder) {
  // The program is built on the host; Wine shows the host's root as Z:.
  std::string source = "Z:" ARCADE_INSTALL_EXE;
  for (char& c : source)
    if (c == '/') c = '\\';
  return CopyFileA(source.c_str(), (folder + "\\ArcadeInstallKELMOR101b.EXE").c_str(), FALSE) != FALSE;
}

bool ServiceInstallerStarted(const std::string& folder) {
  std::string marker = folder + "\\ArcadeInstallKELMOR101b.ran";
  for (int waited = 0; waited < 200; ++waited) {
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);  // opened without sharing: the installer has closed it
      return true;
    }
    Sleep(50);
  }
  return false;
}
