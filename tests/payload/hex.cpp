#include "hex.h"

#include <stdlib.h>

std::vector<unsigned char> Hex(const char* text) {
  std::vector<unsigned char> bytes;
  std::string digits;
  for (const char* p = text; *p; ++p) {
    if (*p == ' ') continue;
    digits += *p;
    if (digits.size() == 2) {
      bytes.push_back((unsigned char)strtoul(digits.c_str(), nullptr, 16));
      digits.clear();
    }
  }
  if (!digits.empty()) abort();  // an odd digit count is a typo in a table
  return bytes;
}
