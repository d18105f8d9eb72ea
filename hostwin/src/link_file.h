// The bytes of a shell link (.lnk) file in the published binary layout.
#pragma once

#include <string>
#include <vector>

#include "windows.h"

namespace hostwin {

struct LinkFields {
  std::string target;         // ANSI; empty: the link has no target
  std::string arguments;      // ANSI; empty: none stored
  std::string workingFolder;  // ANSI; empty: none stored
  DWORD targetAttributes;     // the target's attributes when it existed, else 0
  int showCommand;
};

// Header, a LinkInfo naming the target by its local path, the working folder
// and arguments as Unicode strings, and the terminal extra-data block.
std::vector<unsigned char> EncodeLinkFile(const LinkFields& link);

}  // namespace hostwin
