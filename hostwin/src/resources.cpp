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
}  // namespace hostwin

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
  if (!IsOwnModule(module) || !moduleEntries) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  std::string typeKey = Key(type), nameKey = Key(name);
  bool typeSeen = false;
  for (size_t i = 0; i < moduleCount; ++i) {
    const hostwin::ResourceEntry& e = moduleEntries[i];
    if (typeKey != e.type) continue;
    typeSeen = true;
    if (nameKey == e.name) return reinterpret_cast<HRSRC>(const_cast<hostwin::ResourceEntry*>(&e));
  }
  SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return DWORD(reinterpret_cast<const hostwin::ResourceEntry*>(resource)->size);
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
  if (!resource) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return const_cast<unsigned char*>(moduleBlob + reinterpret_cast<const hostwin::ResourceEntry*>(resource)->offset);
}

LPVOID WINAPI LockResource(HGLOBAL loaded) { return loaded; }
