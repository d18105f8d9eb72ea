// DecodePayloadRecord: the header, the image block and the mended faults.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "hex.h"
#include "messages/messages.h"
#include "payload/record.h"

namespace {

struct Decoded {
  bool ok;
  std::vector<unsigned char> image;
  FILETIME time;
};

// Hands the decoder a resource of exactly the record's bytes, so reading
// past it is caught by the sanitizers.
Decoded DecodeResource(const std::vector<unsigned char>& resource) {
  std::vector<unsigned char> bytes(resource);
  Decoded d{false, {}, {0xAAAAAAAA, 0xBBBBBBBB}};
  unsigned char* image = reinterpret_cast<unsigned char*>(1);
  DWORD size = 0xCCCCCCCC;
  d.ok = DecodePayloadRecord(bytes.data(), (DWORD)bytes.size(), &image, &size, &d.time);
  if (!d.ok) {
    EXPECT_EQ(image, reinterpret_cast<unsigned char*>(1));
    EXPECT_EQ(size, 0xCCCCCCCCu);
    return d;
  }
  d.image.assign(image, image + size);
  CheckedFree(image);
  return d;
}

std::vector<unsigned char> Record(const char* header, const char* stream) {
  std::vector<unsigned char> record = Hex(header);
  const std::vector<unsigned char> body = Hex(stream);
  record.insert(record.end(), body.begin(), body.end());
  return record;
}

TEST(DecodePayloadRecord, WorkedExampleRecord) {
  const std::vector<unsigned char> record =
      Record("00 80 3E D5  2C 35 C4 01  09 00 00 00  06 00 00 00", "07 61 62 63 EE F3");
  ASSERT_EQ(record.size(), 22u);
  const Decoded d = DecodeResource(record);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.image, Bytes("abcabcabc"));
  EXPECT_EQ(d.time.dwLowDateTime, 0xD53E8000u);
  EXPECT_EQ(d.time.dwHighDateTime, 0x01C4352Cu);
}

struct RecordCase {
  const char* name;
  const char* header;  // time low, time high, decoded size, packed size
  const char* stream;
  std::vector<unsigned char> image;
};

const RecordCase RECORD_CASES[] = {
    {"empty record", "00000000 00000000 00000000 00000000", "", {}},
    {"no stream, nonzero size: zeros", "01000000 02000000 05000000 00000000", "",
     std::vector<unsigned char>(5, 0)},
    {"stream longer than its output", "00000000 00000000 03000000 04000000", "07 61 62 63",
     Bytes("abc")},
    {"stream producing more stops at the size", "00000000 00000000 04000000 04000000",
     "01 41 EE FF", Bytes("AAAA")},
    {"stream producing fewer: the rest is zero", "00000000 00000000 06000000 03000000",
     "03 61 62", {'a', 'b', 0, 0, 0, 0}},
    {"leftover flag bits", "00000000 00000000 02000000 03000000", "07 61 62", Bytes("ab")},
};

void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }

class DecodeRecordCase : public testing::TestWithParam<RecordCase> {};

TEST_P(DecodeRecordCase, Image) {
  const RecordCase& c = GetParam();
  const Decoded d = DecodeResource(Record(c.header, c.stream));
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.image, c.image);
}

INSTANTIATE_TEST_SUITE_P(Records, DecodeRecordCase, testing::ValuesIn(RECORD_CASES));

TEST(DecodePayloadRecord, FewerBytesLeaveZerosWhateverTheHeapHeld) {
  // Dirty the heap with a freed block of the same size first.
  void* dirty = CheckedAlloc(64, "DecodeFile");
  memset(dirty, 0xEE, 64);
  CheckedFree(dirty);
  const Decoded d = DecodeResource(Record("00000000 00000000 40000000 02000000", "01 7A"));
  ASSERT_TRUE(d.ok);
  std::vector<unsigned char> expected(64, 0);
  expected[0] = 'z';
  EXPECT_EQ(d.image, expected);
}

// A record that claims more stream than its resource holds is broken.
struct BrokenCase {
  const char* name;
  std::vector<unsigned char> resource;
};

const BrokenCase BROKEN_CASES[] = {
    {"empty resource", {}},
    {"shorter than the header", Hex("00000000 00000000 00000000 000000")},
    {"one stream byte missing", Record("00000000 00000000 09000000 06000000", "07 61 62 63 EE")},
    {"no stream at all", Record("00000000 00000000 09000000 06000000", "")},
    {"size past any resource", Record("00000000 00000000 01000000 FFFFFFFF", "01 41")},
    {"size wrapping past the header", Record("00000000 00000000 01000000 F1FFFFFF", "01 41")},
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenRecord : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenRecord, FailsWithoutReadingPastTheResource) {
  EXPECT_FALSE(DecodeResource(GetParam().resource).ok);
}

INSTANTIATE_TEST_SUITE_P(Records, BrokenRecord, testing::ValuesIn(BROKEN_CASES));

TEST(DecodePayloadRecord, ResourceLongerThanTheRecordIsAccepted) {
  // Resources may be padded; only a stream that does not fit is broken.
  std::vector<unsigned char> resource = Record("00000000 00000000 03000000 04000000", "07 61 62 63");
  resource.resize(resource.size() + 3, 0xFF);
  const Decoded d = DecodeResource(resource);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.image, Bytes("abc"));
}

}  // namespace
