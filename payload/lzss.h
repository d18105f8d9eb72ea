// LZSS stream decoding for payload records.
//
// A stream is a run of groups: one flag byte, read from bit 0 upwards, then
// up to eight items. A set bit is a literal byte; a clear bit is a two-byte
// match b0 b1 naming ring position b0 | (b1 & 0xF0) << 4 and length
// (b1 & 0x0F) + 3. The 4096-byte ring starts with positions 0..4077 holding
// spaces and 4078..4095 holding zero, and is written from position 4078 on.
#pragma once

#include <stddef.h>

enum {
  LZSS_RING_SIZE = 4096,
  LZSS_RING_START = 4078,
  LZSS_MIN_MATCH = 3,
  LZSS_MAX_MATCH = 18,
  LZSS_RING_FILL = 0x20,     // positions 0 .. LZSS_RING_START - 1
  LZSS_RING_TAIL_FILL = 0x00 // positions LZSS_RING_START .. LZSS_RING_SIZE - 1
};

// Decodes the packedSize bytes at stream into out until the stream is used up
// or out holds outCapacity bytes, whichever comes first. Returns the number of
// bytes produced, at most outCapacity; they are exactly the first bytes the
// ring algorithm outputs for this stream, whatever the stream holds.
// Reads nothing outside stream[0, packedSize). Bytes of out past the returned
// count may have been overwritten (the decoder copies ahead in wide steps);
// a caller that needs them defined clears them.
size_t LzssDecode(const unsigned char* stream, size_t packedSize,
                  unsigned char* out, size_t outCapacity);
