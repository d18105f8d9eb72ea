// What tests need to know or set that differs between Windows and the
// stand-in. Implemented once per platform.
#pragma once

#include <windows.h>

#include <string>

// Natively, puts the stand-in back to its start; nothing on Windows.
void ResetTestPlatform();

// The system's text for `code` as FormatMessageA gives it for the user's
// language, or "" when the system has none.
std::string SystemErrorText(DWORD code);
