#include "tests/support/ring_reference.h"

#include <string.h>

#include "payload/lzss.h"

size_t RingReferenceDecode(const unsigned char* stream, size_t packedSize,
                           unsigned char* out, size_t outCapacity) {
  unsigned char ring[LZSS_RING_SIZE];
  memset(ring, LZSS_RING_FILL, LZSS_RING_START);
  memset(ring + LZSS_RING_START, LZSS_RING_TAIL_FILL, LZSS_RING_SIZE - LZSS_RING_START);
  unsigned write = LZSS_RING_START;
  unsigned flags = 0;
  size_t in = 0;
  size_t n = 0;
  for (;;) {
    flags >>= 1;
    if ((flags & 0x100) == 0) {
      if (in == packedSize) return n;
      flags = stream[in++] | 0xFF00;
    }
    if (flags & 1) {
      if (in == packedSize) return n;
      const unsigned char c = stream[in++];
      if (n == outCapacity) return n;
      out[n++] = c;
      ring[write] = c;
      write = (write + 1) & (LZSS_RING_SIZE - 1);
      continue;
    }
    if (in == packedSize) return n;
    const unsigned b0 = stream[in++];
    if (in == packedSize) return n;
    const unsigned b1 = stream[in++];
    const unsigned pos = b0 | (b1 & 0xF0) << 4;
    const unsigned len = (b1 & 0x0F) + LZSS_MIN_MATCH;
    for (unsigned k = 0; k < len; ++k) {
      const unsigned char c = ring[(pos + k) & (LZSS_RING_SIZE - 1)];
      if (n == outCapacity) return n;
      out[n++] = c;
      ring[write] = c;
      write = (write + 1) & (LZSS_RING_SIZE - 1);
    }
  }
}
