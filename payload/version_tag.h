// Finding and ordering the version tags of game executables: pure functions
// over bytes, apart from any file reading.
#pragma once

#include <stddef.h>

enum {
  VERSION_ANCHOR_SIZE = 12,
  VERSION_WINDOW_FIRST = 92,  // the tag starts this many bytes after the anchor's first byte...
  VERSION_WINDOW_LAST = 171,  // ...and at most this many
};

extern const unsigned char kVersionAnchor[VERSION_ANCHOR_SIZE];  // "$KLMR$VERBLK"
extern const char kVersionPrefix[];                              // "Kelmor v"

// Offset of the first anchor in data[0, size), or -1.
long FindVersionAnchor(const unsigned char* data, size_t size);

// Looks for the tag of the anchor at `anchor`: the first start in the window
// where the prefix matches byte for byte, case included. A tag is the text up
// to its terminator, and only counts when that terminator lies inside the
// data. Returns the tag's offset and length (without terminator), or -1.
long FindVersionTag(const unsigned char* data, size_t size, size_t anchor, size_t* length);

// Orders two tags as text, folding A-Z to a-z, bytes unsigned: <0, 0, >0.
int CompareVersionTags(const char* a, const char* b);
