// What a run changed in a prefix's registry: every key of its registry files
// with its values, Wine's time stamps left out.
#pragma once

#include <map>
#include <string>
#include <vector>

// By file and key ("user.reg [Software\\Halvecrest\\Kelmor]"): the key's value
// lines. The prefix's wineserver must have written the files out
// (WinePrefix::Shutdown).
using RegistryState = std::map<std::string, std::string>;

RegistryState ReadRegistry(const std::string& prefixRoot);

// The keys made, removed or with other values between the two, sorted.
std::vector<std::string> ChangedKeys(const RegistryState& before, const RegistryState& after);
