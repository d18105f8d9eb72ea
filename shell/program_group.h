// Phase 4: the game's Start-menu program group. The patch never creates the
// group; where there is none (or the shell is older than 4.71) the Start menu
// is left alone, here and in phase 5.
#pragma once

// Looks for the "Kelmor" folder under the shared programs folder, or, only
// when that cannot be resolved, under the user's. On success fills
// `pathOut` (SHELL_PATH_BUFFER bytes) with the group's path and returns true;
// otherwise leaves it empty and returns false. A file named "Kelmor" is not
// a group.
bool FindProgramGroup(char* pathOut);

// Deletes the retired shortcut from the group and the retired files from the
// install folder, then writes "Readme.txt.lnk" into the group. Best effort:
// results are not examined and nothing is shown.
void RefreshProgramGroup(const char* groupPath, const char* installFolder);

// Phase 4 as a whole. Returns whether a program group was found; `groupOut`
// (SHELL_PATH_BUFFER bytes) then holds its path, else it is empty.
bool RunProgramGroupPhase(const char* installFolder, char* groupOut);
