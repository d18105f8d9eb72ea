// Program and library images that look like the real thing to a compressor:
// PE headers, a code section of x86 functions, read-only data with import
// names and message texts, mostly-zero data, a small resource section, and
// file-alignment padding.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

enum ProgramKind { PROGRAM_EXE, PROGRAM_DLL, PROGRAM_GAME };

// size is a multiple of 4096 and at least 32 KiB. A game image carries the
// version block: the anchor and, 100 bytes after its first byte, the tag.
// A Japanese edition's texts are in code page 932.
std::vector<unsigned char> MakeProgramImage(size_t size, uint32_t seed, ProgramKind kind,
                                            bool japanese);

extern const char VERSION_ANCHOR[13];  // "$KLMR$VERBLK"
extern const char VERSION_TAG[];       // "Kelmor v1.4"
enum { VERSION_TAG_OFFSET = 100 };
