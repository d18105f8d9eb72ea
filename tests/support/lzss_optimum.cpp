#include "tests/support/lzss_optimum.h"

#include <stdint.h>

#include <algorithm>
#include <vector>

#include "payload/lzss.h"

size_t BruteForceOptimalSize(const unsigned char* data, size_t size) {
  std::vector<unsigned char> text(LZSS_RING_START, LZSS_RING_FILL);
  text.insert(text.end(), data, data + size);
  std::vector<uint64_t> bits(size + 1, 0);
  for (size_t i = size; i-- > 0;) {
    const size_t at = LZSS_RING_START + i;
    const size_t cap = std::min<size_t>(LZSS_MAX_MATCH, size - i);
    size_t longest = 0;
    for (size_t back = 1; back <= LZSS_RING_SIZE && back <= at && longest < cap; ++back) {
      size_t k = 0;
      while (k < cap && text[at - back + k] == text[at + k]) ++k;
      longest = std::max(longest, k);
    }
    bits[i] = 9 + bits[i + 1];
    for (size_t len = LZSS_MIN_MATCH; len <= longest; ++len) {
      bits[i] = std::min(bits[i], 17 + bits[i + len]);
    }
  }
  return (size_t)((bits[0] + 7) / 8);
}
