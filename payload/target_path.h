// Where a manifest row's file goes under the install folder.
#pragma once

#include "payload/manifest.h"

// Fills folder[MAX_PATH] with the folder the row's file goes into (the install
// folder, or its sub-folder) and target[MAX_PATH] with the file's full path,
// joined with single backslashes. Returns false, never truncating silently,
// when either does not fit in MAX_PATH - 1 bytes.
bool ComposeTargetPath(const PatchFileEntry& row, const char* installFolder, char* folder, char* target);
