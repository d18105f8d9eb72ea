// The packer's side of records: building them, checking them, and the times
// they carry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hex.h"
#include "tools/patchpack/filetime.h"
#include "tools/patchpack/record_file.h"

namespace {

TEST(BuildRecord, WorkedExampleRecord) {
  const std::vector<unsigned char> record =
      BuildRecord(Bytes("abcabcabc").data(), 9, 0x0123456789ABCDEFull);
  EXPECT_EQ(record, Hex("EFCDAB89 67452301 09000000 06000000 07 61 62 63 EE F3"));
  RecordInfo info;
  std::vector<unsigned char> image;
  std::string error;
  ASSERT_TRUE(DecodeRecordBytes(record.data(), record.size(), &info, &image, &error)) << error;
  EXPECT_EQ(info.FileTime, 0x0123456789ABCDEFull);
  EXPECT_EQ(image, Bytes("abcabcabc"));
}

struct BadRecord {
  const char* hex;
  const char* error;
};

const BadRecord BAD_RECORDS[] = {
    {"00000000 00000000 09000000", "12 bytes is too short for a record header"},
    {"00000000 00000000 09000000 06000000 07 61 62 63 EE",
     "header claims 6 stream bytes but 5 follow it"},
    {"00000000 00000000 09000000 02000000 07 61",
     "stream yields 1 of the 9 bytes the header claims"},
    {"00000000 00000000 02000000 03000000 07 61 62 63",
     "header claims 3 stream bytes but 4 follow it"},
    {"00000000 00000000 02000000 04000000 07 61 62 63",
     "stream yields more than the 2 bytes the header claims"},
};

TEST(DecodeRecordBytes, RejectsInconsistentRecords) {
  for (const BadRecord& bad : BAD_RECORDS) {
    const std::vector<unsigned char> record = Hex(bad.hex);
    RecordInfo info;
    std::vector<unsigned char> image;
    std::string error;
    EXPECT_FALSE(DecodeRecordBytes(record.data(), record.size(), &info, &image, &error));
    EXPECT_EQ(error, bad.error) << bad.hex;
  }
}

struct TimeCase {
  const char* text;
  uint64_t fileTime;
};

const TimeCase TIMES[] = {
    {"1601-01-01T00:00:00Z", 0},
    {"1970-01-01T00:00:00Z", 116444736000000000ull},
    {"2004-06-18T10:30:00Z", 127320282000000000ull},
    {"2004-02-29T23:59:59Z", 127225727990000000ull},
    {"9999-12-31T23:59:59Z", 2650467743990000000ull},
};

TEST(IsoTime, ParsesAndFormatsBothWays) {
  for (const TimeCase& c : TIMES) {
    uint64_t fileTime = 1;
    ASSERT_TRUE(ParseIsoTime(c.text, &fileTime)) << c.text;
    EXPECT_EQ(fileTime, c.fileTime) << c.text;
    EXPECT_EQ(FormatIsoTime(c.fileTime), c.text);
  }
  EXPECT_EQ(FormatIsoTime(127320282000000000ull + 1234567), "2004-06-18T10:30:00.1234567Z");
}

TEST(IsoTime, RejectsAnythingElse) {
  for (const char* text :
       {"", "2004-06-18", "2004-06-18T10:30:00", "2004-06-18T10:30:00+01:00", "2004-06-18 10:30:00Z",
        "2004-13-01T00:00:00Z", "2003-02-29T00:00:00Z", "1900-02-29T00:00:00Z", "2004-04-31T00:00:00Z",
        "2004-06-18T24:00:00Z", "2004-06-18T10:60:00Z", "2004-06-18T10:30:60Z", "1600-12-31T23:59:59Z",
        "2004-06-18T10:30:00ZZ", "2004-06-1xT10:30:00Z", "2004-00-10T10:30:00Z", "2004-06-00T10:30:00Z"}) {
    uint64_t fileTime = 0;
    EXPECT_FALSE(ParseIsoTime(text, &fileTime)) << text;
  }
}

TEST(IsoTime, TimespecRoundTrip) {
  const struct timespec ts = TimespecFromFileTime(127320282001234567ull);
  EXPECT_EQ(ts.tv_sec, 1087554600);
  EXPECT_EQ(ts.tv_nsec, 123456700);
  EXPECT_EQ(FileTimeFromTimespec(ts), 127320282001234567ull);
}

}  // namespace
