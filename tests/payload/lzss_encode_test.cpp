// The packer's encoder: streams decode to the input under the ring algorithm,
// never read the ring's unwritten end, and are as short as the format allows.
#include <gtest/gtest.h>

#include <stdint.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "hex.h"
#include "lzss_optimum.h"
#include "payload/lzss.h"
#include "ring_reference.h"
#include "tools/patchpack/lzss_encode.h"

namespace {

std::vector<unsigned char> RingDecode(const std::vector<unsigned char>& stream, size_t capacity) {
  std::vector<unsigned char> out(capacity + 1);
  out.resize(RingReferenceDecode(stream.data(), stream.size(), out.data(), out.size()));
  return out;
}

// True when the stream reads ring positions 4078..4095 before writing them.
bool ReadsUnwrittenRingEnd(const std::vector<unsigned char>& stream) {
  bool written[LZSS_RING_SIZE] = {};
  unsigned write = LZSS_RING_START;
  for (size_t i = 0; i < stream.size();) {
    const unsigned flags = stream[i++];
    for (int k = 0; k < 8 && i < stream.size(); ++k) {
      if (flags >> k & 1) {
        ++i;
        written[write] = true;
        write = (write + 1) % LZSS_RING_SIZE;
        continue;
      }
      if (i + 1 >= stream.size()) return false;
      const unsigned pos = stream[i] | (stream[i + 1] & 0xF0) << 4;
      const unsigned len = (stream[i + 1] & 0x0F) + LZSS_MIN_MATCH;
      i += 2;
      for (unsigned j = 0; j < len; ++j) {
        const unsigned from = (pos + j) % LZSS_RING_SIZE;
        if (from >= LZSS_RING_START && !written[from]) return true;
        written[write] = true;
        write = (write + 1) % LZSS_RING_SIZE;
      }
    }
  }
  return false;
}

size_t OptimalSize(const std::vector<unsigned char>& data) {
  return BruteForceOptimalSize(data.data(), data.size());
}

std::vector<unsigned char> Text(size_t size) {
  static const char WORDS[] =
      "the patch brings the game to version 1.4 and fixes the pathing of units on "
      "bridges while the server keeps its players in step ";
  std::vector<unsigned char> out;
  for (size_t i = 0; out.size() < size; i = (i * 7 + 3) % (sizeof WORDS - 1)) {
    out.push_back((unsigned char)WORDS[i]);
    if (i % 13 == 0) out.push_back('\n');
  }
  out.resize(size);
  return out;
}

std::vector<unsigned char> Varied(const std::string& kind, size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<unsigned char> out(size);
  if (kind == "random") {
    for (unsigned char& b : out) b = (unsigned char)rng();
  } else if (kind == "runs") {
    for (size_t i = 0; i < size;) {
      const unsigned char b = rng() % 3 == 0 ? ' ' : (unsigned char)rng();
      for (size_t len = 1 + rng() % 40; len-- > 0 && i < size;) out[i++] = b;
    }
  } else if (kind == "text") {
    out = Text(size);
  } else if (kind == "binary") {
    // Little-endian counters, zero padding and repeated opcodes.
    for (size_t i = 0; i < size; ++i) {
      const size_t block = i / 512;
      out[i] = block % 3 == 0 ? 0 : block % 3 == 1 ? (unsigned char)(i / 4 * (i % 4 == 0))
                                                    : (unsigned char)(0x8B ^ (rng() % 4));
    }
  } else if (kind == "spaces") {
    std::fill(out.begin(), out.end(), ' ');
  }
  return out;
}

struct EncodeCase {
  const char* kind;
  size_t size;
};

const EncodeCase ENCODE_CASES[] = {
    {"random", 0},     {"random", 1},      {"random", 2},      {"spaces", 3},
    {"spaces", 4077},  {"spaces", 5000},   {"runs", 17},       {"runs", 9000},
    {"text", 100},     {"text", 20000},    {"binary", 4096},   {"binary", 30000},
    {"random", 5000},  {"runs", 70000},    {"text", 200000},   {"binary", 150000},
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.kind << " " << c.size; }

class EncodeRoundTrip : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeRoundTrip, RingAlgorithmGivesTheInputBack) {
  const std::vector<unsigned char> data = Varied(GetParam().kind, GetParam().size, 1);
  const std::vector<unsigned char> stream = LzssEncode(data.data(), data.size());
  EXPECT_EQ(RingDecode(stream, data.size()), data);
  EXPECT_FALSE(ReadsUnwrittenRingEnd(stream));
  if (data.size() <= 10000) {
    EXPECT_EQ(stream.size(), OptimalSize(data));
  }
}

INSTANTIATE_TEST_SUITE_P(Lzss, EncodeRoundTrip, testing::ValuesIn(ENCODE_CASES),
                         [](const testing::TestParamInfo<EncodeCase>& info) {
                           return std::string(info.param.kind) + std::to_string(info.param.size);
                         });

TEST(LzssEncode, WorkedExamplesComeOutAsShortAsTheirStreams) {
  EXPECT_EQ(LzssEncode(Bytes("abcabcabc").data(), 9), Hex("07 61 62 63 EE F3"));
  EXPECT_EQ(LzssEncode(Bytes(std::string(19, 'A')).data(), 19), Hex("01 41 EE FF"));
  const std::vector<unsigned char> spaces = LzssEncode(Bytes("   ").data(), 3);
  ASSERT_EQ(spaces.size(), 3u);
  EXPECT_EQ(RingDecode(spaces, 3), Bytes("   "));
}

TEST(LzssEncode, ReachesAcrossTheWholeWindow) {
  // A block repeated exactly 4096 bytes later is only reachable at the cell
  // the decoder is about to overwrite.
  std::vector<unsigned char> data = Varied("random", 4096, 9);
  data.insert(data.end(), data.begin(), data.begin() + 18 * 20);
  const std::vector<unsigned char> stream = LzssEncode(data.data(), data.size());
  EXPECT_EQ(RingDecode(stream, data.size()), data);
  EXPECT_EQ(stream.size(), OptimalSize(data));
  EXPECT_LT(stream.size(), 4096 * 9 / 8 + 1 + 20 * 3);
}

TEST(LzssEncode, OptimalOnRandomSmallInputs) {
  std::mt19937 rng(42);
  for (int round = 0; round < 200; ++round) {
    // Few distinct bytes, so that matches abound and overlap.
    std::vector<unsigned char> data(rng() % 300);
    const unsigned alphabet = 1 + rng() % 4;
    for (unsigned char& b : data) b = (unsigned char)(' ' + rng() % alphabet);
    const std::vector<unsigned char> stream = LzssEncode(data.data(), data.size());
    ASSERT_EQ(RingDecode(stream, data.size()), data) << "round " << round;
    ASSERT_FALSE(ReadsUnwrittenRingEnd(stream)) << "round " << round;
    ASSERT_EQ(stream.size(), OptimalSize(data)) << "round " << round;
  }
}

TEST(FindLongestMatches, NamesRingPositionsOfTheExtendedText) {
  const std::vector<unsigned char> data = Bytes("abcabcabc   x");
  const std::vector<LzssMatch> matches = FindLongestMatches(data.data(), data.size());
  ASSERT_EQ(matches.size(), data.size());
  EXPECT_EQ(matches[0].Length, 0);
  EXPECT_EQ(matches[3].Length, 6);
  EXPECT_EQ(matches[3].Position, LZSS_RING_START);
  EXPECT_EQ(matches[9].Length, 3);  // three spaces, found in the initial ring
  EXPECT_EQ(matches[12].Length, 0);
}

}  // namespace
