// Reading "BINFILE" resources out of a PE image built here byte by byte.
#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "tools/patchpack/pe_resources.h"

namespace {

const uint32_t RSRC_RVA = 0x3000;
const uint32_t RSRC_FILE_OFFSET = 0x400;

void Put16(std::vector<unsigned char>* b, size_t at, uint32_t v) {
  if (b->size() < at + 2) b->resize(at + 2);
  (*b)[at] = (unsigned char)v;
  (*b)[at + 1] = (unsigned char)(v >> 8);
}

void Put32(std::vector<unsigned char>* b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A resource section: a numbered type 3 (skipped), then a type named `typeName`
// with the given ids, each under language 0x0409 with 4 bytes of data.
std::vector<unsigned char> ResourceSection(const char* typeName, const std::vector<uint32_t>& ids) {
  std::vector<unsigned char> s;
  // Root: one named entry, one numbered entry.
  Put16(&s, 12, 1);
  Put16(&s, 14, 1);
  const size_t typeDir = 0x100, iconDir = 0x80, names = 0x40;
  Put32(&s, 16, 0x80000000u | names);
  Put32(&s, 20, 0x80000000u | typeDir);
  Put32(&s, 24, 3);
  Put32(&s, 28, 0x80000000u | iconDir);
  Put16(&s, iconDir + 12, 0);  // an empty directory
  Put16(&s, names, (uint32_t)strlen(typeName));
  for (size_t i = 0; typeName[i]; ++i) Put16(&s, names + 2 + 2 * i, (unsigned char)typeName[i]);
  Put16(&s, typeDir + 14, (uint32_t)ids.size());
  for (size_t i = 0; i < ids.size(); ++i) {
    const size_t langDir = 0x200 + 0x20 * i;
    const size_t dataEntry = 0x600 + 0x10 * i;
    const size_t data = 0x800 + 0x10 * i;
    Put32(&s, typeDir + 16 + 8 * i, ids[i]);
    Put32(&s, typeDir + 20 + 8 * i, 0x80000000u | langDir);
    Put16(&s, langDir + 14, 1);
    Put32(&s, langDir + 16, 0x0409);
    Put32(&s, langDir + 20, (uint32_t)dataEntry);
    Put32(&s, dataEntry, RSRC_RVA + (uint32_t)data);
    Put32(&s, dataEntry + 4, 4);
    Put32(&s, data, ids[i] * 0x01010101u);
  }
  s.resize(0xA00);
  return s;
}

std::vector<unsigned char> PeImage(const std::vector<unsigned char>& rsrc) {
  std::vector<unsigned char> b(RSRC_FILE_OFFSET, 0);
  b[0] = 'M';
  b[1] = 'Z';
  const size_t pe = 0x80;
  Put32(&b, 0x3C, pe);
  Put32(&b, pe, 0x00004550);
  Put16(&b, pe + 4, 0x14C);
  Put16(&b, pe + 6, 1);     // sections
  Put16(&b, pe + 20, 224);  // optional header size
  const size_t opt = pe + 24;
  Put16(&b, opt, 0x10B);
  Put32(&b, opt + 92, 16);  // data directories
  Put32(&b, opt + 96 + 16, RSRC_RVA);
  Put32(&b, opt + 96 + 20, (uint32_t)rsrc.size());
  const size_t section = opt + 224;
  memcpy(&b[section], ".rsrc", 5);
  Put32(&b, section + 8, (uint32_t)rsrc.size());
  Put32(&b, section + 12, RSRC_RVA);
  Put32(&b, section + 16, (uint32_t)rsrc.size());
  Put32(&b, section + 20, RSRC_FILE_OFFSET);
  b.insert(b.end(), rsrc.begin(), rsrc.end());
  return b;
}

bool List(const std::vector<unsigned char>& image, std::vector<BinfileResource>* out,
          std::string* error) {
  std::vector<unsigned char> exact(image);  // exactly sized, for the sanitizers
  return ListBinfileResources(exact.data(), exact.size(), out, error);
}

TEST(ListBinfileResources, FindsEveryNumberedBinfileResource) {
  const std::vector<unsigned char> image = PeImage(ResourceSection("BINFILE", {104, 105, 146}));
  std::vector<BinfileResource> found;
  std::string error;
  ASSERT_TRUE(List(image, &found, &error)) << error;
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].Id, 104u);
  EXPECT_EQ(found[2].Id, 146u);
  for (const BinfileResource& r : found) {
    EXPECT_EQ(r.Language, 0x0409u);
    ASSERT_EQ(r.Size, 4u);
    EXPECT_EQ(image[r.Offset], (unsigned char)r.Id);
  }
}

TEST(ListBinfileResources, TypeNameIsMatchedWithoutCase) {
  std::vector<BinfileResource> found;
  std::string error;
  ASSERT_TRUE(List(PeImage(ResourceSection("binfile", {7})), &found, &error));
  EXPECT_EQ(found.size(), 1u);
  ASSERT_TRUE(List(PeImage(ResourceSection("BINFILES", {7})), &found, &error));
  EXPECT_TRUE(found.empty());
}

struct DamageCase {
  const char* name;
  size_t at;  // byte offset in the image
  uint32_t value;
  const char* error;
};

const DamageCase DAMAGE_CASES[] = {
    {"no MZ", 0, 0x5A4E, "not a Windows executable (no MZ header)"},
    {"PE header out of the file", 0x3C, 0x7FFFFFF0, "not a Windows executable (no PE header)"},
    {"no PE signature", 0x80, 0x00004551, "not a Windows executable (no PE header)"},
    {"unknown optional header", 0x98, 0x0107, "damaged PE header"},
    {"no resource directory", 0x98 + 96 + 16, 0, "no resource directory"},
    {"section table cut off", 0x86, 0x4000, "damaged section table"},
    {"resource directory outside the sections", 0x98 + 96 + 16, 0x9000, "no resource directory"},
    {"entry count past the section", RSRC_FILE_OFFSET + 0x100 + 14, 0xFFFF,
     "damaged resource directory"},
    {"data outside the file", RSRC_FILE_OFFSET + 0x600, 0x7FFFFFFF, "damaged resource directory"},
    {"data size past the section", RSRC_FILE_OFFSET + 0x604, 0x10000, "damaged resource directory"},
    {"language level is data", RSRC_FILE_OFFSET + 0x100 + 20, 0x200, "damaged resource directory"},
    {"language entry is a directory", RSRC_FILE_OFFSET + 0x200 + 20, 0x80000000u,
     "damaged resource directory"},
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedImage : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedImage, FailsWithAReason) {
  std::vector<unsigned char> image = PeImage(ResourceSection("BINFILE", {104, 105}));
  const DamageCase& c = GetParam();
  if (c.value > 0xFFFF || c.at == 0x3C || c.at % 4 == 0) {
    Put32(&image, c.at, c.value);
  } else {
    Put16(&image, c.at, c.value);
  }
  std::vector<BinfileResource> found;
  std::string error;
  EXPECT_FALSE(List(image, &found, &error));
  EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(Pe, DamagedImage, testing::ValuesIn(DAMAGE_CASES));

TEST(ListBinfileResources, EveryTruncationFailsOrListsWithinTheFile) {
  const std::vector<unsigned char> image = PeImage(ResourceSection("BINFILE", {104, 105}));
  for (size_t size = 0; size < image.size(); ++size) {
    const std::vector<unsigned char> cut(image.begin(), image.begin() + size);
    std::vector<BinfileResource> found;
    std::string error;
    if (List(cut, &found, &error)) {
      for (const BinfileResource& r : found) EXPECT_LE(r.Offset + r.Size, size);
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

}  // namespace
