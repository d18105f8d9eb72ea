#include "shell/online_service.h"

#include <windows.h>

#include "messages/messages.h"
#include "messages/text.h"
#include "shell/shortcut.h"

namespace {

const char kServiceKey[] = "Software\\GameSpy\\GameSpy Arcade";
// Where the shipped installer puts the service unless the user picks
// another folder; taken on trust once the installer has started.
const char kDefaultServicePath[] = "C:\\Program Files\\GameSpy Arcade\\Aphex.exe";

// Reads the registered folder into folder[capacity] as a terminated text.
bool ReadServiceFolder(char* folder, DWORD capacity) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kServiceKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  DWORD size = capacity;
  LONG status = RegQueryValueExA(key, "InstDir", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return false;
  // A string stored without its terminator comes back without one.
  if (size == 0 || folder[size - 1] != '\0') {
    if (size == capacity) return false;
    folder[size] = '\0';
  }
  return true;
}

// Starts the shipped installer; true when it started.
bool LaunchServiceInstaller(const char* installFolder) {
  char command[SHELL_PATH_BUFFER];
  if (!ComposeText(command, sizeof command, "\"%s\\ArcadeInstallKELMOR101b.EXE\"", installFolder)) return false;
  return WinExec(command, SW_SHOWNORMAL) > 31;
}

}  // namespace

bool FindOnlineService(char* pathOut, size_t capacity) {
  if (capacity == 0) return false;
  pathOut[0] = '\0';
  char folder[SHELL_PATH_BUFFER];
  if (!ReadServiceFolder(folder, sizeof folder)) return false;
  if (!ComposeText(pathOut, capacity, "%s\\Aphex.exe", folder)) {
    pathOut[0] = '\0';
    return false;
  }
  return GetFileAttributesA(pathOut) != INVALID_FILE_ATTRIBUTES;
}

void RunOnlineServicePhase(const char* installFolder, const char* programGroup) {
  char servicePath[SHELL_PATH_BUFFER];
  bool installed = FindOnlineService(servicePath, sizeof servicePath);
  if (!installed && IsAccepted(ShowStringBox(STR_OFFER_SERVICE, STR_CAPTION_PATCH, BOX_QUESTION)) &&
      LaunchServiceInstaller(installFolder)) {
    installed = ComposeText(servicePath, sizeof servicePath, "%s", kDefaultServicePath);
  }
  if (!programGroup) return;

  char name[TEXT_BUFFER];
  LoadStringA(nullptr, installed ? STR_SERVICE_LAUNCH_NAME : STR_SERVICE_DOWNLOAD_NAME, name, sizeof name);
  // Without the service, the shortcut opens the download page through the
  // Internet shortcut file that the patch wrote.
  char downloadPage[SHELL_PATH_BUFFER];
  const char* target = servicePath;
  if (!installed) {
    if (!ComposeText(downloadPage, sizeof downloadPage, "%s\\%s.url", installFolder, name)) return;
    target = downloadPage;
  }
  char link[SHELL_PATH_BUFFER];
  if (!ComposeText(link, sizeof link, "%s\\%s.lnk", programGroup, name)) return;
  CreateShortcut(target, installed ? "+svc kelmor" : "", link, installFolder);
}
