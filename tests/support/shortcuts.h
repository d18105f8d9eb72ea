// Reading back a shortcut the code under test wrote: on Windows through the
// shell's own link object, natively through Debian's lnkinfo, an independent
// parser of the file format.
#pragma once

#include <string>

struct ShortcutFields {
  bool read;  // the file exists and parsed as a shell link
  std::string target;
  std::string arguments;
  std::string workingFolder;
};

// All texts in the ANSI code page (932); `linkPath` too.
ShortcutFields ReadShortcut(const std::string& linkPath);
