#include "files.h"

// A full disk under Wine needs a small file system mapped as a drive of the
// prefix: the end-to-end runs do that, not a test inside the process.
bool LimitFreeSpace(const std::string&, uint64_t, FullDisk) { return false; }
