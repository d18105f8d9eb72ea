// Registry values under HKEY_CURRENT_USER for one test: the real registry
// under Wine, the stand-in's natively. What it made goes when it does, and
// values it overwrote come back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TestRegistry {
 public:
  TestRegistry() = default;
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  // Stores `data` as given: a string value ends with a terminator only if
  // `data` does.
  void Set(const std::string& key, const std::string& name, DWORD type, const std::string& data);
  // A REG_SZ value with its terminator.
  void SetString(const std::string& key, const std::string& name, const std::string& text);
  void SetDword(const std::string& key, const std::string& name, DWORD value);
  // An empty key.
  void MakeKey(const std::string& key);
  // Natively: the key (made if need be) grants KEY_READ only, as for a user
  // who may read it but not write it. False where the platform cannot (Wine
  // keeps no registry permissions), so the test skips.
  bool RefuseFullAccess(const std::string& key);

 private:
  struct Overwritten {
    std::string key;
    std::string name;
    bool existed;
    DWORD type;
    std::string data;
  };
  void MakeKeys(const std::string& key);

  std::vector<std::string> madeKeys_;
  std::vector<Overwritten> overwritten_;
};

// The platform's half (registry_win32.cpp, registry_hostwin.cpp).
namespace test_registry {
bool CreateKey(const std::string& key);
bool WriteValue(const std::string& key, const std::string& name, DWORD type, const std::string& data);
void DeleteValue(const std::string& key, const std::string& name);
void DeleteKey(const std::string& key);
bool RefuseFullAccess(const std::string& key);
}  // namespace test_registry
