// What each manifest row should write: its decoded record and stored time,
// read from the executable's own resources.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "payload/manifest.h"

struct PatchImage {
  std::string relativePath;  // "Kelmor.exe", "Bin\\Units.dat"
  std::string content;
  uint64_t fileTime;
};

PatchImage ImageOfRow(int row);

// Rows in manifest order: all of them, and those written without the renderer.
std::vector<int> AllRows();
std::vector<int> RowsWithoutRenderer();
