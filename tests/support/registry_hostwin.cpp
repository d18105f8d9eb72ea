#include "hostwin/control.h"
#include "registry.h"

namespace test_registry {

bool CreateKey(const std::string& key) {
  hostwin::CreateRegistryKey(HKEY_CURRENT_USER, key.c_str());
  return true;
}

bool WriteValue(const std::string& key, const std::string& name, DWORD type, const std::string& data) {
  hostwin::SetRegistryValue(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, data);
  return true;
}

void DeleteValue(const std::string& key, const std::string& name) {
  hostwin::DeleteRegistryValue(HKEY_CURRENT_USER, key.c_str(), name.c_str());
}

void DeleteKey(const std::string& key) { hostwin::DeleteRegistryKey(HKEY_CURRENT_USER, key.c_str()); }

bool RefuseFullAccess(const std::string& key) {
  hostwin::RefuseFullAccess(HKEY_CURRENT_USER, key.c_str());
  return true;
}

}  // namespace test_registry
