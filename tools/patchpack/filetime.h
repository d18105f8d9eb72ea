// Conversions between a record's FILETIME (100-ns units since 1601-01-01 UTC),
// POSIX times and ISO 8601 text.
#pragma once

#include <stdint.h>
#include <time.h>

#include <string>

// Parses exactly "YYYY-MM-DDTHH:MM:SSZ" (years 1601..9999); false otherwise.
bool ParseIsoTime(const char* text, uint64_t* fileTime);

// "YYYY-MM-DDTHH:MM:SSZ", with ".fffffff" before the Z when the time has a
// fraction of a second.
std::string FormatIsoTime(uint64_t fileTime);

uint64_t FileTimeFromTimespec(const struct timespec& ts);
struct timespec TimespecFromFileTime(uint64_t fileTime);
