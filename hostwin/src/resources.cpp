// The executable's own resources, from the table generated at build time.
#include <ctype.h>
#include <string.h>

#include <string>

#include "hostwin/resources_table.h"
#include "internal.h"

namespace {

const unsigned char* moduleBlob = nullptr;
const hostwin::ResourceEntry* moduleEntries = nullptr;
size_t moduleCount = 0;

// A resource name or type as the table spells it: "#123" or upper case.
std::string Key(LPCSTR nameOrId) {
  if (IS_INTRESOURCE(nameOrId)) return "#" + std::to_string(LOWORD(nameOrId));
  std::string key;
  // "#123" spells ordinal 123, as on Windows, and so lands on the same key.
  for (const char* p = nameOrId; *p; ++p) key += char(toupper(static_cast<unsigned char>(*p)));
  return key;
}

bool IsOwnModule(HMODULE module) { return module == nullptr; }

}  // namespace

namespace hostwin {
bool RegisterModuleResources(const unsigned char* blob, const ResourceEntry* entries, size_t count) {
  moduleBlob = blob;
  moduleEntries = entries;
  moduleCount = count;
  return true;
}

ModuleResources CurrentModuleResources() { return ModuleResources{moduleBlob, moduleEntries, moduleCount}; }

const ResourceEntry* FindModuleResource(HMODULE module, LPCSTR name, LPCSTR type, DWORD* error) {
  if (!IsOwnModule(module) || !moduleEntries) {
    *error = ERROR_RESOURCE_DATA_NOT_FOUND;
    return nullptr;
  }
  std::string typeKey = Key(type), nameKey = Key(name);
  bool typeSeen = false;
  for (size_t i = 0; i < moduleCount; ++i) {
    const ResourceEntry& e = moduleEntries[i];
    if (typeKey != e.type) continue;
    typeSeen = true;
    if (nameKey == e.name) return &e;
  }
  *error = typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND;
  return nullptr;
}

const unsigned char* ResourceBytes(const ResourceEntry* entry) { return moduleBlob + entry->offset; }
}  // namespace hostwin

// A failure a test asked for: sets the error and says so.
static bool Failing(const char* call) {
  DWORD error;
  if (!hostwin::TakeFailure(call, &error)) return false;
  SetLastError(error);
  return true;
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (Failing("FindResourceA")) return nullptr;
  DWORD error = 0;
  const hostwin::ResourceEntry* entry = hostwin::FindModuleResource(module, name, type, &error);
  if (!entry) SetLastError(error);
  return reinterpret_cast<HRSRC>(const_cast<hostwin::ResourceEntry*>(entry));
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  if (Failing("SizeofResource")) return 0;
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return DWORD(reinterpret_cast<const hostwin::ResourceEntry*>(resource)->size);
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  if (Failing("LoadResource")) return nullptr;
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<unsigned char*>(moduleBlob + reinterpret_cast<const hostwin::ResourceEntry*>(resource)->offset);
}

LPVOID WINAPI LockResource(HGLOBAL loaded) {
  if (Failing("LockResource")) return nullptr;
  return loaded;
}
