// What a run changed in a prefix: every entry under drive_c, and the values
// of a key in the user's registry file.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

struct EntryState {
  char kind;  // 'f' file, 'd' folder, 'l' link (not followed)
  uintmax_t size;
  int64_t written;  // nanoseconds
};
// By path below drive_c ("users/root/Temp/x").
using DriveState = std::map<std::string, EntryState>;

DriveState ReadDrive(const std::string& prefixRoot);

// The paths made, removed or changed between the two, sorted.
std::vector<std::string> ChangedPaths(const DriveState& before, const DriveState& after);

// `key` (under HKEY_CURRENT_USER) as the prefix's user.reg holds it: its name
// and value lines without its time stamps; "" when the key is not there. The
// prefix's wineserver must have written the file out (WinePrefix::Shutdown).
std::string UserKeyValues(const std::string& prefixRoot, const std::string& key);
