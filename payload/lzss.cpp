#include "payload/lzss.h"

#include <string.h>

// The output block doubles as the window: output byte i sits at ring position
// (LZSS_RING_START + i) mod LZSS_RING_SIZE, so a match reads the byte that
// lies 1 to 4096 bytes back. Before byte 0 the window holds a virtual prefix:
// 18 bytes of LZSS_RING_TAIL_FILL, then 4078 spaces.

namespace {

// One group reads at most 17 stream bytes and writes at most 7 full matches
// plus one wide copy of 32 bytes.
const size_t FAST_GROUP_IN = 1 + 8 * 2;
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

// Copies a match of len bytes reading back bytes behind op, when back >= 16:
// every 16-byte load then reads bytes that are already final.
inline void CopyWide(unsigned char* op, size_t back, size_t len) {
  const unsigned char* src = op - back;
  memcpy(op, src, 16);
  if (len > 16) memcpy(op + 16, src + 16, 16);
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
      unsigned char* const fastEnd =
          outCapacity - n >= FAST_GROUP_OUT ? out + outCapacity - FAST_GROUP_OUT : op;
      while (op < fastEnd && (size_t)(inEnd - in) >= FAST_GROUP_IN) {
        unsigned flags = *in++;
        if (flags == 0xFF) {
          memcpy(op, in, 8);
          in += 8;
          op += 8;
          continue;
        }
        for (int item = 0; item < 8; ++item, flags >>= 1) {
          if (flags & 1) {
            *op++ = *in++;
            continue;
          }
          const unsigned b1 = in[1];
          const unsigned pos = in[0] | (b1 & 0xF0) << 4;
          const size_t len = (b1 & 0x0F) + LZSS_MIN_MATCH;
          in += 2;
          const size_t back = MatchDistance((size_t)(op - out), pos);
          if (back >= 16) {
            CopyWide(op, back, len);
          } else {
            const unsigned char* src = op - back;
            for (size_t k = 0; k < len; ++k) op[k] = src[k];
          }
          op += len;
        }
      }
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
