#include "installer/sequence.h"

#include <string.h>

#include "messages/messages.h"
#include "messages/text.h"
#include "payload/extract.h"
#include "shell/online_service.h"
#include "shell/program_group.h"

namespace {

const char kGameKey[] = "Software\\Halvecrest\\Kelmor";
const char kInstallFolderValue[] = "DestDir";

enum { CONFIRM_TEXT_BUFFER = 360 };

// Phase 2: fills state->installFolder from the registry, or shows why not.
bool FindInstallFolder(RunState* state) {
  HKEY key;
  LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, kGameKey, 0, KEY_ALL_ACCESS, &key);
  if (opened == ERROR_FILE_NOT_FOUND) {
    ShowStringBox(STR_NOT_INSTALLED, STR_CAPTION_PATCH_ERROR, BOX_ERROR);
    return false;
  }
  if (opened != ERROR_SUCCESS) {
    ShowErrorCodeBox(STR_CAPTION_REGISTRY_OPEN, DWORD(opened));
    return false;
  }
  char* folder = state->installFolder;
  DWORD size = sizeof state->installFolder;
  LONG read = RegQueryValueExA(key, kInstallFolderValue, nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size);
  RegCloseKey(key);

  // The value counts only as a terminated, non-empty string inside the
  // buffer: a stored string need not carry its terminator, and an empty one
  // would put the patch into a drive's root.
  bool usable = read == ERROR_SUCCESS && size <= sizeof state->installFolder;
  if (usable && size < sizeof state->installFolder) folder[size] = '\0';
  usable = usable && memchr(folder, '\0', sizeof state->installFolder) && folder[0] != '\0';
  if (!usable) {
    folder[0] = '\0';
    ShowStringBox(STR_NOT_INSTALLED, STR_CAPTION_PATCH_ERROR, BOX_ERROR);
  }
  return usable;
}

// Phase 3, first half: asks whether to install into the folder.
bool ConfirmInstall(const RunState& state) {
  char format[TEXT_BUFFER];
  char text[CONFIRM_TEXT_BUFFER];
  LoadStringA(nullptr, STR_CONFIRM_INSTALL, format, sizeof format);
  ComposeText(text, sizeof text, format, state.installFolder);
  return IsAccepted(ShowTextBox(text, STR_CAPTION_PATCH, BOX_QUESTION));
}

}  // namespace

bool ProbeDirectX8() {
  // From the system folder only: a "D3D8.DLL" planted beside the installer
  // (a downloads folder, say) must never be loaded.
  char systemFolder[MAX_PATH];
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
  if (length > 0 && length < sizeof systemFolder && ComposeText(path, sizeof path, "%s\\D3D8.DLL", systemFolder)) {
    HMODULE library = LoadLibraryA(path);
    if (library) {
      FreeLibrary(library);
      return true;
    }
  }
  return IsAccepted(ShowStringBox(STR_DIRECTX_MISSING, STR_CAPTION_PATCH, BOX_QUESTION));
}

void RunInstall() {
  RunState state = {};
  if (!FindInstallFolder(&state)) return;
  if (!ConfirmInstall(state)) return;

  state.confirmed = true;
  ExtractPatchFiles(state.installFolder);

  // Phases 4 and 5 run after every confirmed install, however extraction ended.
  state.hasProgramGroup = RunProgramGroupPhase(state.installFolder, state.programGroup);
  RunOnlineServicePhase(state.installFolder, state.hasProgramGroup ? state.programGroup : nullptr);
}
