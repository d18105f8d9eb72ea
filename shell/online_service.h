// Phase 5: the online matchmaking service. Finds out whether it is
// installed, offers the shipped installer when it is not, and puts the
// launch or download shortcut into the program group.
#pragma once

#include <stddef.h>

// True when the service's registered folder holds its executable; `pathOut`
// (`capacity` bytes, 300 here) then holds the executable's full path. A
// missing key or value, a folder whose executable path does not fit, or a
// missing executable all count as not installed.
bool FindOnlineService(char* pathOut, size_t capacity);

// Phase 5 as a whole. `programGroup` is phase 4's group, or null when there
// is none: the offer is still made, but no shortcut is written. Nothing here
// is reported to the user.
void RunOnlineServicePhase(const char* installFolder, const char* programGroup);
