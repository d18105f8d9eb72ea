// The payload records the build packed: each decodes to the file it was made
// from and carries its stored time; the sample payload has the shape the
// installer relies on.
#include <gtest/gtest.h>

#include <string.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "messages/messages.h"
#include "payload/record.h"
#include "tools/patchpack/filetime.h"

namespace {

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

struct PackedRow {
  std::string Id;
  std::string Source;
  bool TimeFromTable;
  std::string Time;
  std::vector<unsigned char> Record;
};

std::vector<PackedRow> PackedRows() {
  std::vector<PackedRow> rows;
  std::istringstream list(std::string(
      [] { std::vector<unsigned char> b = ReadFile(PAYLOAD_SOURCES_LIST); return std::string(b.begin(), b.end()); }()));
  std::string id, source, fromTable, time;
  while (std::getline(list, id, '\t') && std::getline(list, source, '\t') &&
         std::getline(list, fromTable, '\t') && std::getline(list, time)) {
    rows.push_back({id, source, fromTable == "1", time,
                    ReadFile(std::string(PAYLOAD_RECORD_DIR) + "/" + id + ".rec")});
  }
  return rows;
}

TEST(PayloadRecords, EachDecodesToItsFileWithItsTime) {
  const std::vector<PackedRow> rows = PackedRows();
  ASSERT_EQ(rows.size(), 35u);
  for (const PackedRow& row : rows) {
    SCOPED_TRACE(row.Source);
    ASSERT_GE(row.Record.size(), sizeof(PayloadRecord));
    PayloadRecord header;
    memcpy(&header, row.Record.data(), sizeof header);
    EXPECT_EQ(row.Record.size(), sizeof header + header.PackedSize);
    unsigned char* image = nullptr;
    DWORD size = 0;
    FILETIME time;
    ASSERT_TRUE(DecodePayloadRecord(row.Record.data(), (DWORD)row.Record.size(), &image, &size, &time));
    EXPECT_EQ(std::vector<unsigned char>(image, image + size), ReadFile(row.Source));
    CheckedFree(image);
    if (row.TimeFromTable) {
      EXPECT_EQ(FormatIsoTime(uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime), row.Time);
    }
  }
}

#if KELMOR_SAMPLE_PAYLOAD
TEST(SamplePayload, HasTheShapeOfTheRealOne) {
  const std::vector<PackedRow> rows = PackedRows();
  ASSERT_EQ(rows.size(), 35u);
  size_t total = 0, largest = 0, incompressible = 0;
  for (const PackedRow& row : rows) {
    PayloadRecord header;
    memcpy(&header, row.Record.data(), sizeof header);
    total += header.DecodedSize;
    if (header.DecodedSize > largest) largest = header.DecodedSize;
    incompressible += row.Record.size() > header.DecodedSize;
  }
  EXPECT_GT(total, 4u << 20);
  EXPECT_EQ(largest, 1630208u);
  EXPECT_EQ(incompressible, 5u);

  // Row 0, the game executable, carries the version block.
  const std::vector<unsigned char> game = ReadFile(rows[0].Source);
  ASSERT_EQ(game.size(), 1630208u);
  const std::string bytes(game.begin(), game.end());
  const size_t anchor = bytes.find("$KLMR$VERBLK");
  ASSERT_NE(anchor, std::string::npos);
  EXPECT_EQ(bytes.find("$KLMR$VERBLK", anchor + 1), std::string::npos);
  EXPECT_EQ(bytes.compare(anchor + 100, 12, std::string("Kelmor v1.4\0", 12)), 0);
}
#endif

}  // namespace
