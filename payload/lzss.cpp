#include "payload/lzss.h"

#include <stdint.h>
#include <string.h>

// The output block doubles as the window: output byte i sits at ring position
// (LZSS_RING_START + i) mod LZSS_RING_SIZE, so a match reads the byte that
// lies 1 to 4096 bytes back. Before byte 0 the window holds a virtual prefix:
// 18 bytes of LZSS_RING_TAIL_FILL, then 4078 spaces.

namespace {

// One group takes at most 17 stream bytes, and the 8-byte copy of its last
// literals may read 8 more. It writes at most 7 full matches plus one 32-byte
// copy.
const size_t FAST_GROUP_IN = 17 + 8;
const size_t FAST_GROUP_OUT = 7 * LZSS_MAX_MATCH + 32;

// How far back a match at ring position pos reads when out holds n bytes.
// A match starting at the cell about to be overwritten reads 4096 back.
inline size_t MatchDistance(size_t n, unsigned pos) {
  return ((LZSS_RING_START + n - pos - 1) & (LZSS_RING_SIZE - 1)) + 1;
}

inline unsigned char WindowByte(const unsigned char* out, size_t n, size_t back) {
  if (back <= n) return out[n - back];
  return back - n > LZSS_RING_START ? LZSS_RING_TAIL_FILL : LZSS_RING_FILL;
}

inline void Copy8(unsigned char* to, const unsigned char* from) {
  unsigned char chunk[8];
  memcpy(chunk, from, 8);
  memcpy(to, chunk, 8);
}

inline void Copy16(unsigned char* to, const unsigned char* from) {
  unsigned char chunk[16];
  memcpy(chunk, from, 16);
  memcpy(to, chunk, 16);
}

// A match that reads fewer bytes back than it writes repeats its own output.
inline void CopyOverlapping(unsigned char* op, const unsigned char* src, size_t back, size_t len) {
  if (back == 1) {
    memset(op, src[0], LZSS_MAX_MATCH);
  } else if (back >= 8) {
    // Each 8-byte step reads only bytes that earlier steps made final.
    for (size_t k = 0; k < len; k += 8) Copy8(op + k, src + k);
  } else {
    for (size_t k = 0; k < len; ++k) op[k] = src[k];
  }
}

// Decodes one whole group with the full window behind op. The literals
// before each match, and those after the last, go as one 8-byte copy, so a
// group takes one step per match rather than one per item. Wide copies write
// past an item's own bytes; whatever follows overwrites them. A 16-byte load
// sees only bytes written before it, which is exact as long as a match reads
// at least its length back; closer ones repeat their own output.
inline void DecodeGroup(const unsigned char*& inRef, unsigned char*& opRef, uintptr_t opToRing) {
  const unsigned char* in = inRef;
  unsigned char* op = opRef;
  unsigned matches = ~*in++ & 0xFF;  // bit k set: item k is a match
  unsigned next = 0;                 // the first item not decoded yet
  while (matches) {
    const unsigned item = (unsigned)__builtin_ctz(matches);
    matches &= matches - 1;
    const unsigned literals = item - next;
    next = item + 1;
    Copy8(op, in);
    op += literals;
    in += literals;
    const unsigned b1 = in[1];
    const unsigned pos = in[0] | (b1 & 0xF0) << 4;
    const size_t len = (b1 & 0x0F) + LZSS_MIN_MATCH;
    const size_t back = ((opToRing + (uintptr_t)op - pos) & (LZSS_RING_SIZE - 1)) + 1;
    const unsigned char* src = op - back;
    in += 2;
    if (back < len) {
      CopyOverlapping(op, src, back, len);
    } else {
      Copy16(op, src);
      Copy16(op + 16, src + 16);
    }
    op += len;
  }
  const unsigned literals = 8 - next;
  Copy8(op, in);
  opRef = op + literals;
  inRef = in + literals;
}

}  // namespace

size_t LzssDecode(const unsigned char* stream, size_t packedSize,
                  unsigned char* out, size_t outCapacity) {
  const unsigned char* in = stream;
  const unsigned char* const inEnd = stream + packedSize;
  size_t n = 0;
  for (;;) {
    // Whole groups with room to spare and the full window behind them.
    if (n >= LZSS_RING_SIZE) {
      unsigned char* op = out + n;
      // Turns an output address into its ring position, less one (see MatchDistance).
      const uintptr_t opToRing = LZSS_RING_START - 1 - (uintptr_t)out;
      unsigned char* const fastEnd =
          outCapacity - n >= FAST_GROUP_OUT ? out + outCapacity - FAST_GROUP_OUT : op;
      while (op < fastEnd && (size_t)(inEnd - in) >= FAST_GROUP_IN) DecodeGroup(in, op, opToRing);
      n = (size_t)(op - out);
    }

    // One group, every byte checked.
    if (in == inEnd) return n;
    unsigned flags = *in++;
    for (int item = 0; item < 8; ++item, flags >>= 1) {
      if (flags & 1) {
        if (in == inEnd || n == outCapacity) return n;
        out[n++] = *in++;
        continue;
      }
      if (inEnd - in < 2) return n;
      const unsigned b1 = in[1];
      const unsigned pos = in[0] | (b1 & 0xF0) << 4;
      const size_t len = (b1 & 0x0F) + LZSS_MIN_MATCH;
      in += 2;
      const size_t back = MatchDistance(n, pos);
      for (size_t k = 0; k < len; ++k) {
        if (n == outCapacity) return n;
        out[n] = WindowByte(out, n, back);
        ++n;
      }
    }
  }
}
