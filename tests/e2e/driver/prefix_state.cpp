#include "prefix_state.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

DriveState ReadDrive(const std::string& prefixRoot) {
  DriveState state;
  const fs::path drive = fs::path(prefixRoot) / "drive_c";
  std::error_code failed;
  for (fs::recursive_directory_iterator it(drive, failed), end; !failed && it != end; it.increment(failed)) {
    const fs::file_status status = it->symlink_status();
    EntryState entry = {'f', 0, 0};
    if (fs::is_symlink(status)) {
      entry.kind = 'l';
    } else {
      if (fs::is_directory(status)) entry.kind = 'd';
      if (entry.kind == 'f') entry.size = it->file_size();
      entry.written = it->last_write_time().time_since_epoch().count();
    }
    state[fs::relative(it->path(), drive).generic_string()] = entry;
  }
  return state;
}

std::vector<std::string> ChangedPaths(const DriveState& before, const DriveState& after) {
  std::vector<std::string> changed;
  for (const auto& entry : after) {
    auto was = before.find(entry.first);
    if (was == before.end() || was->second.kind != entry.second.kind || was->second.size != entry.second.size ||
        was->second.written != entry.second.written)
      changed.push_back(entry.first);
  }
  for (const auto& entry : before)
    if (!after.count(entry.first)) changed.push_back(entry.first);
  std::sort(changed.begin(), changed.end());
  return changed;
}

std::string UserKeyValues(const std::string& prefixRoot, const std::string& key) {
  std::string header = "[";
  for (char c : key) header += c == '\\' ? std::string("\\\\") : std::string(1, c);
  header += "]";
  std::ifstream in(prefixRoot + "/user.reg");
  std::string line, values;
  bool inKey = false;
  while (std::getline(in, line)) {
    if (!inKey) {
      inKey = line.compare(0, header.size(), header) == 0 && line.size() > header.size() && line[header.size()] == ' ';
      if (inKey) values = header + "\n";
      continue;
    }
    if (line.empty()) break;
    if (line.compare(0, 6, "#time=") != 0) values += line + "\n";
  }
  return values;
}
