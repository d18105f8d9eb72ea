// Reads the "BINFILE" resources out of a Windows executable's resource
// directory, straight from the file's bytes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct BinfileResource {
  uint32_t Id;
  uint32_t Language;
  size_t Offset;  // of the data in the file
  size_t Size;
};

// Lists every numbered "BINFILE" resource in file order of the directory.
// Returns false with a reason in *error for anything that is not a PE image
// with a sound resource directory. An image with no "BINFILE" type succeeds
// with an empty list.
bool ListBinfileResources(const unsigned char* image, size_t size,
                          std::vector<BinfileResource>* out, std::string* error);
