#include "payload/extract.h"

#include <windows.h>

#include "messages/messages.h"
#include "messages/text.h"
#include "payload/guard.h"
#include "payload/manifest.h"
#include "payload/record.h"
#include "payload/target_file.h"
#include "payload/target_path.h"

namespace {

const char kResourceType[] = "BINFILE";

enum RowOutcome { ROW_DONE, ROW_STOP };

// The DirectX 8 renderer rows only update an installed renderer.
bool IsRendererPresent(const char* installFolder) {
  char name[NAME_BUFFER];
  char path[MAX_PATH];
  LoadStringA(nullptr, STR_RENDERER_DX8_FILE, name, sizeof name);
  if (!ComposeText(path, sizeof path, "%s\\%s", installFolder, name)) return false;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The row's bytes in the executable image, or null after its error box.
const unsigned char* LockRowResource(const PatchFileEntry& row, DWORD* size) {
  HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(row.ResourceId), kResourceType);
  if (!resource) {
    ShowErrorCodeBox(STR_CAPTION_FIND_RESOURCE, GetLastError());
    return nullptr;
  }
  // An empty resource gives size 0 without a code of its own: the box must
  // not show whatever an earlier call left behind.
  SetLastError(NO_ERROR);
  *size = SizeofResource(nullptr, resource);
  if (*size == 0) {
    DWORD code = GetLastError();
    ShowErrorCodeBox(STR_CAPTION_SIZE_RESOURCE, code != NO_ERROR ? code : ERROR_INVALID_DATA);
    return nullptr;
  }
  HGLOBAL loaded = LoadResource(nullptr, resource);
  if (!loaded) {
    ShowErrorCodeBox(STR_CAPTION_LOAD_RESOURCE, GetLastError());
    return nullptr;
  }
  const unsigned char* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  if (!bytes) ShowErrorCodeBox(STR_CAPTION_LOCK_RESOURCE, GetLastError());
  return bytes;
}

RowOutcome ExtractRow(const PatchFileEntry& row, const char* installFolder) {
  DWORD resourceSize = 0;
  const unsigned char* bytes = LockRowResource(row, &resourceSize);
  if (!bytes) return ROW_STOP;

  char folder[MAX_PATH];
  char target[MAX_PATH];
  if (!ComposeTargetPath(row, installFolder, folder, target)) {
    ShowErrorCodeBox(STR_CAPTION_FILE_CREATE, ERROR_FILENAME_EXCED_RANGE);
    return ROW_STOP;
  }

  const DWORD flags = row.Flags & 0xFF;  // only the low byte is examined
  const bool versionChecked = (flags & PF_VERSION_CHECKED) != 0;
  const bool compressed = (flags & PF_COMPRESSED) != 0;
  VersionGuard guard;
  if (versionChecked) GuardReadInstalled(&guard, target);

  const unsigned char* image = bytes;
  unsigned char* decoded = nullptr;
  DWORD imageSize = resourceSize;
  FILETIME fileTime = {0, 0};
  if (compressed) {
    if (!DecodePayloadRecord(bytes, resourceSize, &decoded, &imageSize, &fileTime)) {
      ShowErrorCodeBox(STR_CAPTION_LOAD_RESOURCE, ERROR_INVALID_DATA);
      return ROW_STOP;
    }
    image = decoded;
  }

  RowOutcome outcome = ROW_DONE;
  if (versionChecked && GuardCompare(&guard, image, imageSize) == GUARD_DECLINE) {
    outcome = ROW_STOP;
  } else {
    // A read-only or hidden target could not be replaced.
    SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    DWORD code = ReplaceTargetFile(folder, target, image, imageSize, compressed ? &fileTime : nullptr);
    if (code != 0) {
      ShowErrorCodeBox(STR_CAPTION_FILE_CREATE, code);
      outcome = ROW_STOP;
    }
  }
  if (decoded) CheckedFree(decoded);
  return outcome;
}

}  // namespace

void ExtractPatchFiles(const char* installFolder) {
  const bool rendererPresent = IsRendererPresent(installFolder);
  for (const PatchFileEntry& row : PatchManifest) {
    if (row.NeedsDx8Renderer && !rendererPresent) continue;
    if (ExtractRow(row, installFolder) == ROW_STOP) return;
  }
  ShowStringBox(STR_INSTALL_COMPLETE, STR_CAPTION_PATCH, BOX_INFORMATION);
}
