// Text as the transcript and the terminal take it: UTF-8, one line per field.
#pragma once

#include <windows.h>

#include <string>

std::string Utf8FromWide(const std::wstring& text);
std::wstring WideFromUtf8(const std::string& text);

// Backslash, line feed, carriage return and tab written as \\, \n, \r, \t, so
// a field never spans lines.
std::string EscapeField(const std::string& text);

// Writes UTF-8 bytes to a handle as they are (a console or a pipe).
void WriteUtf8(HANDLE out, const std::string& text);
