#include "registry.h"

namespace test_registry {

bool CreateKey(const std::string& key) {
  HKEY made;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(made);
  return true;
}

bool WriteValue(const std::string& key, const std::string& name, DWORD type, const std::string& data) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return false;
  // RegSetValueExA counts a string's terminator in when the byte after the
  // counted data is one; a byte that is not keeps an unterminated string so.
  std::string bytes = data + 'X';
  LONG result = RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(data.size()));
  RegCloseKey(opened);
  return result == ERROR_SUCCESS;
}

void DeleteValue(const std::string& key, const std::string& name) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
  RegDeleteValueA(opened, name.c_str());
  RegCloseKey(opened);
}

void DeleteKey(const std::string& key) { RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); }

// Wine keeps no permissions on registry keys.
bool RefuseFullAccess(const std::string&) { return false; }

}  // namespace test_registry
