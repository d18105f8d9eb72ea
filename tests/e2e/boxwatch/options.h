// boxwatch's command line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Options {
  std::vector<int> answers;   // button ids, one per box in order
  int fallback = 0;           // when the answers run out: IDYES or IDNO (else OK), 0 fails the run
  bool watchOnly = false;     // a person answers; boxes are only recorded
  bool print = false;         // each box also goes to stdout
  DWORD timeoutMs = 60000;    // 0: wait for ever
  std::wstring transcript;    // empty: none
  std::wstring program;
  std::wstring commandLine;   // program and its arguments, quoted
};

extern const char kUsage[];

// Parses argv (after the program's own name); false with *error set otherwise.
bool ParseOptions(int argc, wchar_t** argv, Options* options, std::string* error);

// "Yes", "No", "OK", ... for a button id; "#id" for others.
std::string ButtonName(int id);
