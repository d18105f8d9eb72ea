// Byte strings written as hex in test tables.
#pragma once

#include <string>
#include <vector>

// "07 61 62" -> {0x07, 0x61, 0x62}; spaces are ignored.
std::vector<unsigned char> Hex(const char* text);

inline std::vector<unsigned char> Bytes(const std::string& text) {
  return std::vector<unsigned char>(text.begin(), text.end());
}
