// errtext CODE...: for each code, "CODE<tab>text" on stdout, where text is the
// system's message as a program of the ANSI code page gets it and shows it
// (FormatMessageA, LANG_USER_DEFAULT), in UTF-8 and escaped as boxwatch does.
#include <windows.h>
#include <stdlib.h>

#include <string>

#include "../boxwatch/utf8.h"

namespace {

std::string SystemText(DWORD code) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                nullptr, code, LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::wstring wide;
  if (length) {
    int size = MultiByteToWideChar(CP_ACP, 0, text, int(length), nullptr, 0);
    wide.resize(size > 0 ? size : 0);
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, text, int(length), &wide[0], size);
  }
  LocalFree(text);
  return Utf8FromWide(wide);
}

}  // namespace

int main(int argc, char** argv) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  for (int i = 1; i < argc; ++i) {
    DWORD code = strtoul(argv[i], nullptr, 10);
    WriteUtf8(out, std::to_string(code) + "\t" + EscapeField(SystemText(code)) + "\n");
  }
  return 0;
}
