// The compiled-in list of patch files.
#pragma once

#include <windows.h>

enum PatchFileFlags : DWORD {
  PF_COMPRESSED = 1,       // the resource is a payload record
  PF_VERSION_CHECKED = 2,  // the row goes through the version guard
};

// One patch file: which "BINFILE" resource holds it, how it is stored, where
// it goes under the install folder and whether this machine wants it.
struct PatchFileEntry {
  DWORD ResourceId;
  DWORD Flags;            // PatchFileFlags; only the low byte counts
  const char* SubFolder;  // null or empty: the install folder itself
  DWORD NameStringId;     // string-table id of the file name
  BOOL NeedsDx8Renderer;  // write only where the DirectX 8 renderer is installed
};

enum { PATCH_FILE_COUNT = 35 };

// Walked from first to last; the order is not that of the resource ids.
extern const PatchFileEntry PatchManifest[PATCH_FILE_COUNT];
