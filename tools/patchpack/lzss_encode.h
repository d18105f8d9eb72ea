// LZSS stream encoding for payload records (build-time side).
#pragma once

#include <stddef.h>

#include <vector>

// The longest match the ring offers at one input position: length 0 when
// there is none of at least LZSS_MIN_MATCH bytes, else the length and the
// ring position to name. Any shorter length at the same position is valid too.
struct LzssMatch {
  unsigned char Length;
  unsigned short Position;
};

// Longest match at every input position, over the whole 4096-byte window and
// the initial spaces, never naming ring positions 4078..4095 before the stream
// has written them. Among equally long matches the nearest one wins.
std::vector<LzssMatch> FindLongestMatches(const unsigned char* data, size_t size);

// Item length chosen at each position that starts an item (1 = literal),
// 0 at positions covered by an earlier item.
std::vector<unsigned char> ParseOptimal(const std::vector<LzssMatch>& matches);

// Writes the stream for a parse made over these matches.
std::vector<unsigned char> EmitLzssStream(const unsigned char* data, size_t size,
                                          const std::vector<LzssMatch>& matches,
                                          const std::vector<unsigned char>& parse);

// The smallest stream that decodes to data.
std::vector<unsigned char> LzssEncode(const unsigned char* data, size_t size);
