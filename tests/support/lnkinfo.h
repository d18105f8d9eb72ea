// Debian's lnkinfo, an independent parser of shell link files, run on a host
// file. Host-only: used by the native tests and the end-to-end driver.
#pragma once

#include <string>

struct LnkinfoFields {
  std::string target;  // UTF-8; ANSI strings in the file read as code page 932
  std::string arguments;
  std::string workingFolder;
};

// False when lnkinfo could not run or did not take the file for a link.
bool ReadWithLnkinfo(const std::string& hostPath, LnkinfoFields* fields);
