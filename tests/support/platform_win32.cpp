#include "platform_support.h"

void ResetTestPlatform() {}

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                nullptr, code, LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string out(text ? text : "", length);
  LocalFree(text);
  return out;
}
