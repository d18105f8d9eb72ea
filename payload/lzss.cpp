#include "payload/lzss.h"

#include <stdint.h>
#include <string.h>

// The output block doubles as the window: output byte i sits at ring position
// (LZSS_RING_START + i) mod LZSS_RING_SIZE, so a match reads the byte that
// lies 1 to 4096 bytes back. Before byte 0 the window holds a virtual prefix:
// 18 bytes of LZSS_RING_TAIL_FILL, then 4078 spaces.

namespace {

// One group reads at most 17 stream bytes, and a literal's 16-byte copy may
// look 15 bytes past its byte. It writes at most 7 full matches plus one
// wide copy of 32 bytes.
const size_t FAST_GROUP_IN = 1 + 8 * 2 + 15;
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

// A match that reads fewer bytes back than it writes repeats its own output.
inline void CopyOverlapping(unsigned char* op, const unsigned char* src, size_t back, size_t len) {
  if (back == 1) {
    memset(op, src[0], LZSS_MAX_MATCH);
  } else if (back >= 8) {
    // Each 8-byte step reads only bytes that earlier steps made final.
    for (size_t k = 0; k < len; k += 8) {
      unsigned char chunk[8];
      memcpy(chunk, src + k, 8);
      memcpy(op + k, chunk, 8);
    }
  } else {
    for (size_t k = 0; k < len; ++k) op[k] = src[k];
  }
}

// Decodes one whole group with the full window behind op. Literals and
// matches take the same path, a copy of 16 (or 32) bytes of which only the
// item's own count is kept, so the flag bits steer data, not branches. A
// single 16-byte load sees only bytes written before it, which is exact as
// long as a match reads at least its length back; closer ones repeat their
// own output.
inline void DecodeGroup(const unsigned char*& in, unsigned char*& op, uintptr_t opToRing) {
  unsigned flags = *in++;
  if (flags == 0xFF) {
    memcpy(op, in, 8);
    in += 8;
    op += 8;
    return;
  }
  for (int item = 0; item < 8; ++item, flags >>= 1) {
    // All ones for a literal, zero for a match; selecting by mask keeps the
    // compiler from turning the choice back into a branch.
    const size_t literal = flags & 1;
    const size_t isLiteral = 0 - literal;
    const unsigned b1 = in[1];
    const unsigned pos = in[0] | (b1 & 0xF0) << 4;
    const size_t back = ((opToRing + (uintptr_t)op - pos) & (LZSS_RING_SIZE - 1)) + 1;
    const size_t matchLen = (b1 & 0x0F) + LZSS_MIN_MATCH;
    const size_t len = matchLen ^ ((matchLen ^ 1) & isLiteral);
    const uintptr_t from = (uintptr_t)(op - back);
    const unsigned char* src = (const unsigned char*)(from ^ ((from ^ (uintptr_t)in) & isLiteral));
    in += 2 - literal;
    if (back < (len & ~isLiteral)) {
      CopyOverlapping(op, src, back, len);
    } else {
      unsigned char chunk[16];
      memcpy(chunk, src, 16);
      memcpy(op, chunk, 16);
      if (len > 16) memcpy(op + 16, src + 16, 16);
    }
    op += len;
  }
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
