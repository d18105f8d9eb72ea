#include "registry_state.h"

#include <algorithm>
#include <fstream>

namespace {

const char* const kRegistryFiles[] = {"system.reg", "user.reg", "userdef.reg"};

// "[Software\\Wine] 1796997639": the key without the time it was last written.
std::string KeyOf(const std::string& header) {
  size_t close = header.rfind(']');
  return close == std::string::npos ? header : header.substr(0, close + 1);
}

void ReadFile(const std::string& path, const std::string& file, RegistryState* state) {
  std::ifstream in(path);
  std::string line, key;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') {
      key = file + " " + KeyOf(line);
      (*state)[key];
    } else if (!key.empty() && !line.empty() && line.compare(0, 6, "#time=") != 0) {
      (*state)[key] += line + "\n";
    }
  }
}

}  // namespace

RegistryState ReadRegistry(const std::string& prefixRoot) {
  RegistryState state;
  for (const char* file : kRegistryFiles) ReadFile(prefixRoot + "/" + file, file, &state);
  return state;
}

std::vector<std::string> ChangedKeys(const RegistryState& before, const RegistryState& after) {
  std::vector<std::string> changed;
  for (const auto& [key, values] : after) {
    auto was = before.find(key);
    if (was == before.end() || was->second != values) changed.push_back(key);
  }
  for (const auto& [key, values] : before)
    if (!after.count(key)) changed.push_back(key);
  std::sort(changed.begin(), changed.end());
  return changed;
}
