// The form of the resource table that tools/resembed generates for native
// builds. Type and name are "#<number>" for ordinals, else the upper-case name.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace hostwin {

struct ResourceEntry {
  const char* type;
  const char* name;
  uint16_t language;
  size_t offset;
  size_t size;
};

// Installs the table as the executable's own resources; the last call wins.
bool RegisterModuleResources(const unsigned char* blob, const ResourceEntry* entries, size_t count);

// The table in force, so a test that installs its own can put it back.
struct ModuleResources {
  const unsigned char* blob;
  const ResourceEntry* entries;
  size_t count;
};
ModuleResources CurrentModuleResources();

}  // namespace hostwin
