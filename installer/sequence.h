// The install sequence: one straight run of five phases on one thread.
#pragma once

#include <windows.h>

// What the phases hand on to each other.
struct RunState {
  char installFolder[MAX_PATH];  // "DestDir", used exactly as stored
  bool confirmed;                // set just before extraction, never cleared
  bool hasProgramGroup;
  char programGroup[300];        // the Start-menu folder of the game, when found
};

// Phase 1: true when the installation may proceed (DirectX 8 loads, or the
// user chose to go on without it).
bool ProbeDirectX8();

// Phases 2 to 5: game folder lookup, confirmation and extraction, program
// group, online service.
void RunInstall();
