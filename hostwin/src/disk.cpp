// Free space on drives a test limited, and how a write that does not fit ends.
#include <ctype.h>

#include <map>

#include "file_table.h"
#include "hostwin/control.h"

namespace hostwin {

namespace {
std::map<char, uint64_t> spaceLeft;
FullDiskWrites fullDiskWrites = FullDiskWrites::Fail;

char DriveKey(char drive) { return char(toupper(static_cast<unsigned char>(drive))); }
}  // namespace

void LimitFreeSpace(char drive, uint64_t bytes) { spaceLeft[DriveKey(drive)] = bytes; }
void SetFullDiskWrites(FullDiskWrites behaviour) { fullDiskWrites = behaviour; }

uint64_t SpaceLeft(char drive) {
  auto found = spaceLeft.find(DriveKey(drive));
  return found == spaceLeft.end() ? UINT64_MAX : found->second;
}

void UseSpace(char drive, uint64_t bytes) {
  auto found = spaceLeft.find(DriveKey(drive));
  if (found != spaceLeft.end()) found->second -= bytes < found->second ? bytes : found->second;
}

void ReleaseSpace(char drive, uint64_t bytes) {
  auto found = spaceLeft.find(DriveKey(drive));
  if (found != spaceLeft.end()) found->second += bytes;
}

bool ShortWritesWhenFull() { return fullDiskWrites == FullDiskWrites::ShortCount; }

void ResetDisks() {
  spaceLeft.clear();
  fullDiskWrites = FullDiskWrites::Fail;
}

}  // namespace hostwin
