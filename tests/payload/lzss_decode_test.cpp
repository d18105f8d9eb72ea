// LzssDecode against the worked examples, the edge cases of the format and
// the plain ring algorithm on random and malformed streams.
#include <gtest/gtest.h>

#include <ctype.h>
#include <stdint.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "hex.h"
#include "payload/lzss.h"
#include "ring_reference.h"

namespace {

// Decodes through exactly sized heap blocks, so that a read past the stream
// or a write past the capacity is caught by the sanitizers.
std::vector<unsigned char> Decode(const std::vector<unsigned char>& stream, size_t capacity,
                                  size_t (*decode)(const unsigned char*, size_t,
                                                   unsigned char*, size_t) = LzssDecode) {
  std::vector<unsigned char> in(stream);
  std::vector<unsigned char> out(capacity);
  const size_t produced = decode(in.data(), in.size(), out.data(), out.size());
  EXPECT_LE(produced, capacity);
  out.resize(produced);
  return out;
}

std::string DecodeText(const char* hex, size_t capacity = 1000) {
  const std::vector<unsigned char> out = Decode(Hex(hex), capacity);
  return std::string(out.begin(), out.end());
}

struct StreamCase {
  const char* name;
  const char* stream;
  std::string output;
};

const StreamCase STREAM_CASES[] = {
    {"worked example: overlapping match", "07 61 62 63 EE F3", "abcabcabc"},
    {"worked example: initial spaces", "00 00 00", "   "},
    {"worked example: longest match", "01 41 EE FF", std::string(19, 'A')},
    {"empty stream", "", ""},
    {"flag byte without items", "FF", ""},
    {"leftover flag bits", "03 41 42", "AB"},
    {"flag byte ending a full group", "FF 41 42 43 44 45 46 47 48 00", "ABCDEFGH"},
    {"stream ends inside a match", "01 41 EE", "A"},
    {"stream ends before a match", "01 41", "A"},
    {"literal missing", "01", ""},
    {"match from the spaces into the output", "01 78 EC F1", "x  x "},
    {"ring wraps from its end to the spaces", "00 FD F2", std::string("\0\0\0  ", 5)},
    {"ring end before it is written", "00 EE F0", std::string(3, '\0')},
    {"two groups", "FF 61 62 63 64 65 66 67 68 02 00 F0 69", "abcdefgh   i"},
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }

class DecodeStream : public testing::TestWithParam<StreamCase> {};

TEST_P(DecodeStream, GivesTheRingAlgorithmsOutput) {
  const StreamCase& c = GetParam();
  EXPECT_EQ(DecodeText(c.stream), c.output);
  const std::vector<unsigned char> reference = Decode(Hex(c.stream), 1000, RingReferenceDecode);
  EXPECT_EQ(std::string(reference.begin(), reference.end()), c.output);
}

INSTANTIATE_TEST_SUITE_P(Lzss, DecodeStream, testing::ValuesIn(STREAM_CASES),
                         [](const testing::TestParamInfo<StreamCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) {
                             if (isalnum((unsigned char)*p)) name += *p;
                           }
                           return name;
                         });

TEST(LzssDecode, StopsWhenTheOutputIsFull) {
  EXPECT_EQ(DecodeText("01 41 EE FF", 5), "AAAAA");
  EXPECT_EQ(DecodeText("07 61 62 63 EE F3", 3), "abc");
  EXPECT_EQ(DecodeText("07 61 62 63 EE F3", 0), "");
  EXPECT_EQ(DecodeText("FF 41 42 43 44 45 46 47 48", 7), "ABCDEFG");
}

// 4096 bytes of a counting pattern put the write position back at 4078, so
// a match there names the very cell it is about to overwrite.
TEST(LzssDecode, MatchAtTheWritePositionReadsTheOldByte) {
  std::vector<unsigned char> stream;
  std::vector<unsigned char> expected;
  for (int group = 0; group < 512; ++group) {
    stream.push_back(0xFF);
    for (int k = 0; k < 8; ++k) {
      const unsigned char c = (unsigned char)(group * 8 + k) ^ (unsigned char)group;
      stream.push_back(c);
      expected.push_back(c);
    }
  }
  // Then matches that each name the current write position.
  for (int m = 0; m < 128; ++m) {
    if (m % 8 == 0) stream.push_back(0x00);
    const unsigned pos = (LZSS_RING_START + 4096 + 18 * m) & 0xFFF;
    stream.push_back((unsigned char)pos);
    stream.push_back((unsigned char)((pos >> 4 & 0xF0) | 15));
  }
  while (expected.size() < 4096 + 128 * 18) expected.push_back(expected[expected.size() - 4096]);
  EXPECT_EQ(Decode(stream, 1 << 20), expected);
  EXPECT_EQ(Decode(stream, 1 << 20, RingReferenceDecode), expected);
}

// Streams of every shape: random bytes (any flag pattern, any position,
// truncated anywhere) and streams biased towards long and overlapping matches
// and towards the positions where the window wraps.
std::vector<unsigned char> RandomStream(std::mt19937& rng, size_t size, int style) {
  std::vector<unsigned char> stream(size);
  for (unsigned char& b : stream) b = (unsigned char)rng();
  if (style == 0) return stream;
  for (size_t i = 0; i < size;) {
    const unsigned flags = style == 1 ? (unsigned)(rng() & rng() & 0xFF) : 0;
    stream[i++] = (unsigned char)flags;
    for (int k = 0; k < 8 && i < size; ++k) {
      if (flags >> k & 1) {
        ++i;
        continue;
      }
      unsigned pos = rng() & 0xFFF;
      const unsigned pick = rng() % 4;
      if (pick == 0) pos = 0xFEE + rng() % 18;  // the ring's end
      const unsigned len = pick == 1 ? 15 : rng() & 15;
      stream[i++] = (unsigned char)pos;
      if (i < size) stream[i++] = (unsigned char)((pos >> 4 & 0xF0) | len);
    }
  }
  return stream;
}

TEST(LzssDecode, MatchesTheRingAlgorithmOnRandomStreams) {
  std::mt19937 rng(20040618);
  for (int round = 0; round < 600; ++round) {
    const int style = round % 3;
    const size_t size = round < 300 ? rng() % 64 : rng() % 6000;
    const std::vector<unsigned char> stream = RandomStream(rng, size, style);
    const std::vector<unsigned char> expected = Decode(stream, 1 << 20, RingReferenceDecode);
    ASSERT_EQ(Decode(stream, 1 << 20), expected) << "round " << round;
    // Cut short anywhere, including in the middle of a fast group.
    const size_t capacity = expected.empty() ? 0 : rng() % expected.size();
    const std::vector<unsigned char> cut(expected.begin(), expected.begin() + capacity);
    ASSERT_EQ(Decode(stream, capacity), cut) << "round " << round;
  }
}

// Whole groups of random literals, 8 output bytes each; 520 of them put the
// full window behind what follows.
size_t AppendLiteralGroups(std::vector<unsigned char>& stream, std::mt19937& rng, int count) {
  for (int g = 0; g < count; ++g) {
    stream.push_back(0xFF);
    for (int k = 0; k < 8; ++k) stream.push_back((unsigned char)rng());
  }
  return 8 * (size_t)count;
}

// Every reach from 1 to 40 bytes back with every length, once the whole
// window is behind the output: the cases where a match repeats its own bytes.
TEST(LzssDecode, ShortReachesOfEveryLengthMatchTheRingAlgorithm) {
  std::mt19937 rng(3);
  std::vector<unsigned char> stream;
  size_t produced = AppendLiteralGroups(stream, rng, 520);
  for (unsigned back = 1; back <= 40; ++back) {
    for (unsigned len = LZSS_MIN_MATCH; len <= LZSS_MAX_MATCH; ++len) {
      stream.push_back(0xFE);  // a match, then seven literals
      const unsigned pos = (unsigned)(LZSS_RING_START + produced - back) & 0xFFF;
      stream.push_back((unsigned char)pos);
      stream.push_back((unsigned char)((pos >> 4 & 0xF0) | (len - LZSS_MIN_MATCH)));
      for (int k = 0; k < 7; ++k) stream.push_back((unsigned char)rng());
      produced += len + 7;
    }
  }
  produced += AppendLiteralGroups(stream, rng, 4);
  const std::vector<unsigned char> expected = Decode(stream, 1 << 20, RingReferenceDecode);
  ASSERT_EQ(expected.size(), produced);
  EXPECT_EQ(Decode(stream, 1 << 20), expected);
}

TEST(LzssDecode, MatchesTheRingAlgorithmOnEveryStreamLength) {
  std::mt19937 rng(7);
  const std::vector<unsigned char> stream = RandomStream(rng, 1500, 1);
  const std::vector<unsigned char> full = Decode(stream, 1 << 20, RingReferenceDecode);
  ASSERT_GT(full.size(), 4096u + 200u);
  for (size_t length = 0; length <= stream.size(); ++length) {
    const std::vector<unsigned char> prefix(stream.begin(), stream.begin() + length);
    const std::vector<unsigned char> expected = Decode(prefix, full.size(), RingReferenceDecode);
    ASSERT_EQ(Decode(prefix, full.size()), expected) << "length " << length;
  }
}

// Every flag byte once the window is full: literal runs of every length
// before, between and after matches, and groups of no literals or no matches.
TEST(LzssDecode, EveryFlagByteMatchesTheRingAlgorithm) {
  std::mt19937 rng(11);
  std::vector<unsigned char> stream;
  AppendLiteralGroups(stream, rng, 520);
  for (unsigned flags = 0; flags < 256; ++flags) {
    stream.push_back((unsigned char)flags);
    for (int k = 0; k < 8; ++k) {
      stream.push_back((unsigned char)rng());
      if (!(flags >> k & 1)) stream.push_back((unsigned char)rng());
    }
  }
  const std::vector<unsigned char> expected = Decode(stream, 1 << 20, RingReferenceDecode);
  EXPECT_EQ(Decode(stream, 1 << 20), expected);
}

// Output cut at every length once the window fills up, over groups that
// write the most a group can (eight longest matches), random groups and
// literals: wherever the decoder changes pace, it stops at the capacity.
TEST(LzssDecode, MatchesTheRingAlgorithmAtEveryCapacity) {
  std::mt19937 rng(13);
  std::vector<unsigned char> stream;
  size_t produced = AppendLiteralGroups(stream, rng, 520);
  for (int g = 0; g < 6; ++g) {
    stream.push_back(0x00);
    for (int k = 0; k < 8; ++k, produced += LZSS_MAX_MATCH) {
      const unsigned pos = (unsigned)(LZSS_RING_START + produced - 100) & 0xFFF;
      stream.push_back((unsigned char)pos);
      stream.push_back((unsigned char)((pos >> 4 & 0xF0) | 0x0F));
    }
  }
  for (int g = 0; g < 6; ++g) {
    const unsigned flags = rng() & 0xFF;
    stream.push_back((unsigned char)flags);
    for (int k = 0; k < 8; ++k) {
      stream.push_back((unsigned char)rng());
      if (!(flags >> k & 1)) stream.push_back((unsigned char)rng());
    }
  }
  AppendLiteralGroups(stream, rng, 2);
  const std::vector<unsigned char> full = Decode(stream, 1 << 20, RingReferenceDecode);
  for (size_t capacity = 4000; capacity <= full.size() + 20; ++capacity) {
    const std::vector<unsigned char> expected(full.begin(),
                                              full.begin() + std::min(capacity, full.size()));
    ASSERT_EQ(Decode(stream, capacity), expected) << "capacity " << capacity;
  }
}

}  // namespace
