#include "payload/guard.h"

#include <string.h>

namespace {
const char kVersionPrefix[] = "Kelmor v";
}

// Finds no installed tag yet: the row is always written.
void GuardReadInstalled(VersionGuard* guard, const char* targetPath) {
  guard->active = false;
  memset(guard->installedTag, 0, sizeof guard->installedTag);
  memcpy(guard->installedTag, kVersionPrefix, sizeof kVersionPrefix - 1);
}

GuardDecision GuardCompare(const VersionGuard* guard, const unsigned char* image, DWORD size) {
  return GUARD_PROCEED;
}
