// Wine prefixes for the scenarios: one template per test run, and a fresh
// clone of it per scenario, with its own wineserver.
#pragma once

#include <string>
#include <vector>

#include "process.h"

// Makes the template prefix unless it is there already (ctest makes it afresh
// before the scenarios; a driver run on its own reuses it).
bool EnsureTemplatePrefix(std::string* error);

class WinePrefix {
 public:
  WinePrefix() = default;
  ~WinePrefix();
  WinePrefix(const WinePrefix&) = delete;
  WinePrefix& operator=(const WinePrefix&) = delete;

  // Clones the template into the work folder as `name`, replacing any
  // earlier prefix of that name. The system DLL folders are hard-linked, the
  // rest (registry, profile) copied.
  bool Create(const std::string& name, std::string* error);
  // Stops the prefix's wineserver (and with it anything still running there).
  void Shutdown();
  // Shuts down and deletes the prefix.
  void Remove();

  const std::string& root() const { return root_; }
  // The host path of a Windows path ("C:\\Kelmor\\Bin" or "t:\\x"), through
  // the prefix's drive links.
  std::string HostPath(const std::string& windowsPath) const;
  // Maps drive `letter` to a host folder.
  bool MapDrive(char letter, const std::string& hostFolder);

  // Runs a Windows program (or a Wine tool such as "reg") in the prefix.
  // `env` adds to the Wine environment of scripts/wine-env, e.g.
  // "WINEDLLOVERRIDES=d3d8=d".
  ProcessResult Wine(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) const;
  Command WineCommand(const std::vector<std::string>& args, const std::vector<std::string>& env = {}) const;

  // `wine reg add` of one value under HKEY_CURRENT_USER.
  bool SetUserValue(const std::string& key, const std::string& name, const std::string& type, const std::string& data,
                    std::string* error) const;

 private:
  void Delete();

  std::string root_;
};
