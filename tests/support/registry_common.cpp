#include <gtest/gtest.h>

#include "registry.h"

namespace {

bool KeyExists(const std::string& key) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

// The value as stored, or false when there is none.
bool ReadValue(const std::string& key, const std::string& name, DWORD* type, std::string* data) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  bool found = RegQueryValueExA(opened, name.c_str(), nullptr, type, nullptr, &size) == ERROR_SUCCESS;
  if (found) {
    data->assign(size, '\0');
    found = RegQueryValueExA(opened, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(&(*data)[0]), &size) ==
            ERROR_SUCCESS;
    data->resize(size);
  }
  RegCloseKey(opened);
  return found;
}

}  // namespace

TestRegistry::~TestRegistry() {
  for (auto value = overwritten_.rbegin(); value != overwritten_.rend(); ++value) {
    if (value->existed)
      test_registry::WriteValue(value->key, value->name, value->type, value->data);
    else
      test_registry::DeleteValue(value->key, value->name);
  }
  for (auto key = madeKeys_.rbegin(); key != madeKeys_.rend(); ++key) test_registry::DeleteKey(*key);
}

void TestRegistry::MakeKeys(const std::string& key) {
  for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
    const std::string prefix = key.substr(0, end);
    if (!KeyExists(prefix)) {
      if (!test_registry::CreateKey(prefix)) ADD_FAILURE() << "cannot make key " << prefix;
      madeKeys_.push_back(prefix);
    }
    if (end == std::string::npos) return;
  }
}

void TestRegistry::Set(const std::string& key, const std::string& name, DWORD type, const std::string& data) {
  MakeKeys(key);
  Overwritten previous{key, name, false, REG_NONE, ""};
  previous.existed = ReadValue(key, name, &previous.type, &previous.data);
  overwritten_.push_back(previous);
  if (!test_registry::WriteValue(key, name, type, data)) ADD_FAILURE() << "cannot set " << key << "\\" << name;
}

void TestRegistry::SetString(const std::string& key, const std::string& name, const std::string& text) {
  Set(key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

void TestRegistry::SetDword(const std::string& key, const std::string& name, DWORD value) {
  Set(key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void TestRegistry::MakeKey(const std::string& key) { MakeKeys(key); }

bool TestRegistry::RefuseFullAccess(const std::string& key) {
  MakeKeys(key);
  return test_registry::RefuseFullAccess(key);
}
