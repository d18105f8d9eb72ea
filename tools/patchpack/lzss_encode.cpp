#include "tools/patchpack/lzss_encode.h"

#include <stdint.h>

#include "payload/lzss.h"

// Positions below are indices into the extended text: LZSS_RING_START spaces
// (the ring's initial contents) followed by the input. Extended index e lives
// at ring position e mod 4096, and a match at index N may read any index in
// [N - 4096, N - 1] that is not negative.

namespace {

const int HASH_BITS = 15;
const size_t HASH_SIZE = size_t(1) << HASH_BITS;
const size_t WINDOW = LZSS_RING_SIZE;
const size_t PREFIX = LZSS_RING_START;
const size_t MAX_MATCH = LZSS_MAX_MATCH;
// Spaces that every match reading from [0, SPACE_RUN_END) sees, whatever
// the input: such a source never reaches the input within LZSS_MAX_MATCH bytes.
const size_t SPACE_RUN_END = PREFIX - MAX_MATCH + 1;

inline size_t Hash3(const unsigned char* p) {
  const uint32_t v = p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
  return (v * 2654435761u) >> (32 - HASH_BITS);
}

inline size_t SpacesAt(const unsigned char* p, size_t limit) {
  size_t k = 0;
  while (k < limit && p[k] == LZSS_RING_FILL) ++k;
  return k;
}

}  // namespace

std::vector<LzssMatch> FindLongestMatches(const unsigned char* data, size_t size) {
  std::vector<LzssMatch> matches(size, LzssMatch{0, 0});
  std::vector<unsigned char> text(PREFIX + size, LZSS_RING_FILL);
  for (size_t i = 0; i < size; ++i) text[PREFIX + i] = data[i];
  const unsigned char* t = text.data();
  const size_t end = text.size();

  const ptrdiff_t NONE = -1;
  std::vector<ptrdiff_t> head(HASH_SIZE, NONE);
  std::vector<ptrdiff_t> prev(WINDOW, NONE);
  auto insert = [&](size_t e) {
    if (e + 2 >= end) return;
    const size_t h = Hash3(t + e);
    prev[e & (WINDOW - 1)] = head[h];
    head[h] = (ptrdiff_t)e;
  };
  // The tail of the space prefix can run into the input, so it goes through
  // the hash chains; the rest is one interchangeable run handled directly.
  for (size_t e = SPACE_RUN_END; e < PREFIX; ++e) insert(e);

  for (size_t N = PREFIX; N < end; ++N) {
    const size_t limit = end - N < MAX_MATCH ? end - N : MAX_MATCH;
    size_t bestLen = 0;
    size_t bestPos = 0;
    if (limit >= LZSS_MIN_MATCH) {
      const ptrdiff_t oldest = (ptrdiff_t)N - (ptrdiff_t)WINDOW;
      for (ptrdiff_t e = head[Hash3(t + N)]; e >= 0 && e >= oldest;
           e = prev[e & (WINDOW - 1)]) {
        const unsigned char* s = t + e;
        const unsigned char* c = t + N;
        if (s[bestLen] != c[bestLen]) continue;
        size_t k = 0;
        while (k < limit && s[k] == c[k]) ++k;
        if (k > bestLen) {
          bestLen = k;
          bestPos = (size_t)e;
          if (k == limit) break;
        }
      }
      if (bestLen < limit && oldest < (ptrdiff_t)SPACE_RUN_END) {
        const size_t spaces = SpacesAt(t + N, limit);
        if (spaces > bestLen) {
          bestLen = spaces;
          bestPos = oldest > 0 ? (size_t)oldest : 0;
        }
      }
    }
    if (bestLen >= LZSS_MIN_MATCH) {
      matches[N - PREFIX].Length = (unsigned char)bestLen;
      matches[N - PREFIX].Position = (unsigned short)(bestPos & (WINDOW - 1));
    }
    insert(N);
  }
  return matches;
}

std::vector<unsigned char> ParseOptimal(const std::vector<LzssMatch>& matches) {
  // Shortest path from each position to the end: a literal costs 9 bits and
  // a match 17, flag bit included.
  const size_t size = matches.size();
  std::vector<uint64_t> cost(size + 1, 0);
  std::vector<unsigned char> step(size + 1, 0);
  for (size_t n = size; n-- > 0;) {
    uint64_t best = 9 + cost[n + 1];
    unsigned char bestStep = 1;
    for (size_t len = LZSS_MIN_MATCH; len <= matches[n].Length; ++len) {
      const uint64_t c = 17 + cost[n + len];
      if (c < best) {
        best = c;
        bestStep = (unsigned char)len;
      }
    }
    cost[n] = best;
    step[n] = bestStep;
  }
  std::vector<unsigned char> parse(size, 0);
  for (size_t n = 0; n < size; n += step[n]) parse[n] = step[n];
  return parse;
}

std::vector<unsigned char> EmitLzssStream(const unsigned char* data, size_t size,
                                          const std::vector<LzssMatch>& matches,
                                          const std::vector<unsigned char>& parse) {
  std::vector<unsigned char> stream;
  stream.reserve(size + size / 8 + 1);
  size_t flagAt = 0;
  int items = 8;
  for (size_t n = 0; n < size; n += parse[n]) {
    if (items == 8) {
      flagAt = stream.size();
      stream.push_back(0);
      items = 0;
    }
    const size_t len = parse[n];
    if (len == 1) {
      stream[flagAt] |= (unsigned char)(1u << items);
      stream.push_back(data[n]);
    } else {
      const unsigned pos = matches[n].Position;
      stream.push_back((unsigned char)(pos & 0xFF));
      stream.push_back((unsigned char)((pos >> 4 & 0xF0) | (len - LZSS_MIN_MATCH)));
    }
    ++items;
  }
  return stream;
}

std::vector<unsigned char> LzssEncode(const unsigned char* data, size_t size) {
  const std::vector<LzssMatch> matches = FindLongestMatches(data, size);
  return EmitLzssStream(data, size, matches, ParseOptimal(matches));
}
