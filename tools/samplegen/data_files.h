// The game's data files: string tables, record tables, and packed archives
// whose contents are already compressed.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

// "KSTR": a count, an offset table and zero-terminated strings, then zero
// padding up to size. Japanese strings are in code page 932.
std::vector<unsigned char> MakeStringTable(size_t size, uint32_t seed, bool japanese);

// "KTBL": fixed 64-byte records of small integers, names and floats.
std::vector<unsigned char> MakeRecordTable(size_t size, uint32_t seed);

// "KPAK": a directory of named entries, then their compressed bodies, which
// look random to any compressor.
std::vector<unsigned char> MakePackedArchive(size_t size, uint32_t seed, const char* folder);
