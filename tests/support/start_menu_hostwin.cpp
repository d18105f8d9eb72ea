// Native: a launch is only recorded by the stand-in.
#include <windows.h>

#include "files.h"
#include "hostwin/shell_control.h"
#include "start_menu.h"

bool PlaceServiceInstaller(const std::string& folder) {
  return WriteTestFile(folder + "\\ArcadeInstallKELMOR101b.EXE", "MZ");
}

bool ServiceInstallerStarted(const std::string& folder) {
  const std::string command = "\"" + folder + "\\ArcadeInstallKELMOR101b.EXE\"";
  for (const hostwin::LaunchRecord& launch : hostwin::Launches())
    if (launch.commandLine == command && launch.result > 31) return true;
  return false;
}
