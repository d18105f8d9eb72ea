// The registry: a tree of keys that tests fill, read with Windows' rules.
#include <string.h>

#include <algorithm>
#include <map>
#include <vector>

#include "hostwin/control.h"
#include "internal.h"

namespace {

using namespace hostwin;

struct Value {
  std::string name;
  DWORD type;
  std::string data;  // as stored: a string's terminator only if it was given one
};

struct Key {
  std::vector<Value> values;
  bool refusesFullAccess = false;
};

struct KeyName {
  ULONG_PTR root;
  std::u16string path;  // upper case, names joined by backslashes
  bool operator<(const KeyName& other) const { return root != other.root ? root < other.root : path < other.path; }
};

struct OpenKey {
  KeyName name;
  std::string spelled;  // as the program spelled it, for the record
  REGSAM access;
};

const ULONG_PTR kFirstKeyHandle = 0x10000;
// What a key refused full access still grants.
const REGSAM kReadRights = KEY_READ | KEY_WOW64_64KEY | KEY_WOW64_32KEY;

std::map<KeyName, Key> keys;
std::map<ULONG_PTR, OpenKey> openKeys;
std::vector<RegistryOpen> opens;
ULONG_PTR nextKeyHandle = kFirstKeyHandle;

bool IsRoot(HKEY key) {
  ULONG_PTR value = reinterpret_cast<ULONG_PTR>(key);
  return value >= 0x80000000UL && value <= 0x80000003UL;
}

std::u16string Folded(const std::string& ansi) {
  std::string utf8;
  return FoldedName(AnsiToUtf8(ansi, &utf8) ? utf8 : ansi);
}

// Appends the names of `subKey` to `name`; false for a path Windows rejects.
bool AppendNames(KeyName* name, std::string* spelled, const char* subKey) {
  if (!subKey || !*subKey) return true;
  if (subKey[0] == '\\') return false;
  std::string part;
  for (const char* p = subKey;; ++p) {
    if (*p == '\\' || !*p) {
      if (!part.empty()) {
        if (!name->path.empty()) name->path += u'\\';
        name->path += Folded(part);
        *spelled += (spelled->empty() ? "" : "\\") + part;
      }
      part.clear();
      if (!*p) return true;
      continue;
    }
    part += *p;
    if (IsDBCSLeadByte(BYTE(*p)) && p[1]) part += *++p;
  }
}

// The open key a handle stands for (a root is always open, with every right).
bool KeyOfHandle(HKEY handle, OpenKey* out) {
  if (IsRoot(handle)) {
    *out = OpenKey{KeyName{reinterpret_cast<ULONG_PTR>(handle), u""}, "", KEY_ALL_ACCESS};
    return true;
  }
  auto found = openKeys.find(reinterpret_cast<ULONG_PTR>(handle));
  if (found == openKeys.end()) return false;
  *out = found->second;
  return true;
}

Key* MakeKey(HKEY root, const char* path) {
  KeyName name{reinterpret_cast<ULONG_PTR>(root), u""};
  std::string spelled;
  if (!IsRoot(root) || !AppendNames(&name, &spelled, path)) Unsupported("a registry key outside the roots");
  // Creating a key creates the keys above it.
  for (size_t at = name.path.find(u'\\'); at != std::u16string::npos; at = name.path.find(u'\\', at + 1))
    keys[KeyName{name.root, name.path.substr(0, at)}];
  return &keys[name];
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

}  // namespace

LONG WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY opened) {
  if (!opened) return ERROR_INVALID_PARAMETER;
  OpenKey base;
  if (!KeyOfHandle(key, &base)) return ERROR_INVALID_HANDLE;
  OpenKey result{base.name, base.spelled, access};
  LONG status = AppendNames(&result.name, &result.spelled, subKey) ? ERROR_SUCCESS : ERROR_BAD_PATHNAME;
  DWORD injected;
  if (status == ERROR_SUCCESS && TakeFailure("RegOpenKeyExA", &injected)) status = LONG(injected);
  if (status == ERROR_SUCCESS) {
    auto found = keys.find(result.name);
    if (!result.name.path.empty() && found == keys.end())
      status = ERROR_FILE_NOT_FOUND;
    else if (found != keys.end() && found->second.refusesFullAccess && (access & ~kReadRights))
      status = ERROR_ACCESS_DENIED;
  }
  opens.push_back(RegistryOpen{result.spelled, access, status});
  if (status != ERROR_SUCCESS) return status;
  ULONG_PTR handle = nextKeyHandle;
  nextKeyHandle += 4;
  openKeys[handle] = result;
  *opened = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

// Sizes as Windows gives them: the stored size, ERROR_MORE_DATA with it when
// the buffer is smaller, and a string stored without its terminator gains one
// only when the buffer has a byte to spare: one that fills the buffer exactly
// comes back unterminated.
LONG WINAPI RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
  OpenKey open;
  if (!KeyOfHandle(key, &open)) return ERROR_INVALID_HANDLE;
  if (data && !size) return ERROR_INVALID_PARAMETER;
  if (!(open.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  DWORD injected;
  if (TakeFailure("RegQueryValueExA", &injected)) return LONG(injected);
  auto found = keys.find(open.name);
  if (found == keys.end()) return ERROR_FILE_NOT_FOUND;
  const std::u16string wanted = Folded(name ? name : "");
  for (const Value& value : found->second.values) {
    if (Folded(value.name) != wanted) continue;
    if (type) *type = value.type;
    const DWORD stored = DWORD(value.data.size());
    if (data && *size < stored) {
      *size = stored;
      return ERROR_MORE_DATA;
    }
    if (data) {
      memcpy(data, value.data.data(), stored);
      if (IsStringType(value.type) && stored && value.data.back() != '\0' && *size > stored) data[stored] = 0;
    }
    if (size) *size = stored;
    return ERROR_SUCCESS;
  }
  return ERROR_FILE_NOT_FOUND;
}

LONG WINAPI RegCloseKey(HKEY key) {
  if (IsRoot(key)) return ERROR_SUCCESS;
  return openKeys.erase(reinterpret_cast<ULONG_PTR>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace hostwin {

void CreateRegistryKey(HKEY root, const char* key) { MakeKey(root, key); }

void SetRegistryValue(HKEY root, const char* key, const char* name, DWORD type, const std::string& data) {
  Key* target = MakeKey(root, key);
  for (Value& value : target->values) {
    if (Folded(value.name) == Folded(name)) {
      value = Value{name, type, data};
      return;
    }
  }
  target->values.push_back(Value{name, type, data});
}

void DeleteRegistryValue(HKEY root, const char* key, const char* name) {
  std::vector<Value>& values = MakeKey(root, key)->values;
  const std::u16string wanted = Folded(name);
  values.erase(std::remove_if(values.begin(), values.end(), [&](const Value& v) { return Folded(v.name) == wanted; }),
               values.end());
}

void DeleteRegistryKey(HKEY root, const char* key) {
  KeyName name{reinterpret_cast<ULONG_PTR>(root), u""};
  std::string spelled;
  if (AppendNames(&name, &spelled, key)) keys.erase(name);
}

void RefuseFullAccess(HKEY root, const char* key) { MakeKey(root, key)->refusesFullAccess = true; }

const std::vector<RegistryOpen>& RegistryOpens() { return opens; }

void ResetRegistry() {
  keys.clear();
  openKeys.clear();
  opens.clear();
  nextKeyHandle = kFirstKeyHandle;
}

}  // namespace hostwin
