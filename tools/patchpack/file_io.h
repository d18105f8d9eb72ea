// Whole-file reads and all-or-nothing writes for the build tools.
#pragma once

#include <stddef.h>
#include <time.h>

#include <string>
#include <vector>

// Reads the file at path. *mtime, when given, gets its modification time.
bool ReadWholeFile(const char* path, std::vector<unsigned char>* data,
                   struct timespec* mtime, std::string* error);

// Writes size bytes to a temporary file beside path, optionally gives it the
// access and modification time *mtime, then renames it over path, so a
// failure leaves no partial file behind.
bool WriteWholeFile(const char* path, const unsigned char* data, size_t size,
                    const struct timespec* mtime, std::string* error);
