// The version guard: keeps the game executable from being replaced, without
// asking, by one whose version tag does not sort after the installed copy's.
#pragma once

#include <windows.h>

enum { GUARD_TAG_BUFFER = 40 };

// Per-row state: set by the read step, consumed by the compare step.
struct VersionGuard {
  bool active;                          // the installed copy carries the anchor
  char installedTag[GUARD_TAG_BUFFER];  // "Kelmor v" unless a tag was found
};

enum GuardDecision { GUARD_PROCEED, GUARD_DECLINE };

// Reads the copy installed at targetPath, before the new image is decoded.
void GuardReadInstalled(VersionGuard* guard, const char* targetPath);

// The read step's work on the installed copy's bytes, apart from the file.
void GuardScanInstalled(VersionGuard* guard, const unsigned char* data, size_t size);

// Compares the new image with what the read step found; asks the user when
// the new tag does not sort after the installed one.
GuardDecision GuardCompare(const VersionGuard* guard, const unsigned char* image, DWORD size);
