#include "options.h"

#include <stdlib.h>
#include <wchar.h>

#include "utf8.h"

const char kUsage[] =
    "usage: boxwatch [--answers yes,no,ok,...] [--default yes|no] [--watch-only] [--print]\n"
    "                [--timeout SECONDS] [--transcript FILE] [--] PROGRAM [ARGS...]\n";

namespace {

const struct {
  const char* name;
  int id;
} kButtons[] = {{"OK", IDOK},         {"Cancel", IDCANCEL}, {"Abort", IDABORT},       {"Retry", IDRETRY},
                {"Ignore", IDIGNORE}, {"Yes", IDYES},       {"No", IDNO},             {"Help", IDHELP},
                {"TryAgain", 10},     {"Continue", 11}};

int ButtonId(const std::string& name) {
  for (const auto& button : kButtons)
    if (lstrcmpiA(button.name, name.c_str()) == 0) return button.id;
  return 0;
}

bool ParseAnswers(const std::string& list, std::vector<int>* answers) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    int id = ButtonId(list.substr(start, comma - start));
    if (!id) return false;
    answers->push_back(id);
    start = comma + 1;
  }
  return true;
}

// Quotes one argument the way CommandLineToArgvW reads it back.
std::wstring Quote(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

std::string ButtonName(int id) {
  for (const auto& button : kButtons)
    if (button.id == id) return button.name;
  return "#" + std::to_string(id);
}

bool ParseOptions(int argc, wchar_t** argv, Options* options, std::string* error) {
  int i = 0;
  for (; i < argc; ++i) {
    std::wstring arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == L"--") {
      ++i;
      break;
    }
    if (arg.compare(0, 2, L"--") != 0) break;
    if (arg == L"--watch-only") {
      options->watchOnly = true;
    } else if (arg == L"--print") {
      options->print = true;
    } else if (!hasValue) {
      *error = "missing value after " + Utf8FromWide(arg);
      return false;
    } else if (arg == L"--answers") {
      if (!ParseAnswers(Utf8FromWide(argv[++i]), &options->answers)) {
        *error = "unknown button in --answers";
        return false;
      }
    } else if (arg == L"--default") {
      options->fallback = ButtonId(Utf8FromWide(argv[++i]));
      if (options->fallback != IDYES && options->fallback != IDNO) {
        *error = "--default takes yes or no";
        return false;
      }
    } else if (arg == L"--timeout") {
      wchar_t* end = nullptr;
      unsigned long seconds = wcstoul(argv[++i], &end, 10);
      if (*end != L'\0' || seconds > 86400) {
        *error = "--timeout takes whole seconds";
        return false;
      }
      options->timeoutMs = DWORD(seconds * 1000);
    } else if (arg == L"--transcript") {
      options->transcript = argv[++i];
    } else {
      *error = "unknown option " + Utf8FromWide(arg);
      return false;
    }
  }
  if (i >= argc) {
    *error = "no program to run";
    return false;
  }
  options->program = argv[i];
  for (; i < argc; ++i) {
    if (!options->commandLine.empty()) options->commandLine += L' ';
    options->commandLine += Quote(argv[i]);
  }
  return true;
}
