// What the installer should write: the 35 patch files in manifest order, as
// this build packed them (content and stored time), and where each goes.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

struct PatchFile {
  int row;
  std::string name;
  std::string folder;  // "" (the install folder) or "Bin"
  bool needsRenderer;  // written only where the DirectX 8 renderer is installed
  uint64_t storedTime;  // FILETIME
  std::string content;
};

// Loaded once from the payload table and the files the build packed; empty
// with *error set when they cannot be read.
const std::vector<PatchFile>& PatchFiles(std::string* error);

// "Bin/Units.dat" or "Kelmor.exe": the file's place under the install folder.
std::string RelativePath(const PatchFile& file);

// Row numbers: all 35; those written without the renderer (22); first..last.
std::vector<int> AllRows();
std::vector<int> RowsWithoutRenderer();
std::vector<int> RowRange(int first, int last);
