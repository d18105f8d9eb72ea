#include "tools/samplegen/data_files.h"

#include <string.h>

#include <string>

#include "tools/samplegen/rng.h"
#include "tools/samplegen/text_files.h"
#include "tools/samplegen/vocabulary.h"

namespace {

void Put32(std::vector<unsigned char>* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = (unsigned char)(v >> (8 * i));
}

void PutText(std::vector<unsigned char>* b, size_t at, const std::string& s, size_t field) {
  memcpy(&(*b)[at], s.data(), s.size() < field - 1 ? s.size() : field - 1);
}

std::string Entry(Rng* rng, bool japanese, int index) {
  if (japanese) {
    std::string s = JAPANESE_UNIT_NAMES[index % 20];
    s += "：";
    s += rng->Pick(JAPANESE_UNIT_TRAITS);
    if (rng->Below(2)) s += rng->Pick(JAPANESE_UNIT_TRAITS);
    return ToCp932(s);
  }
  std::string s = UNIT_NAMES[index % 20];
  s += ": ";
  s += rng->Pick(UNIT_TRAITS);
  if (rng->Below(2)) {
    s += ' ';
    s += rng->Pick(UNIT_TRAITS);
  }
  return s;
}

}  // namespace

std::vector<unsigned char> MakeStringTable(size_t size, uint32_t seed, bool japanese) {
  Rng rng{seed};
  std::vector<std::string> strings;
  size_t used = 12;
  for (int i = 0;; ++i) {
    std::string s = Entry(&rng, japanese, i);
    if (used + 4 + s.size() + 1 > size) break;
    used += 4 + s.size() + 1;
    strings.push_back(s);
  }
  std::vector<unsigned char> b(size, 0);
  memcpy(&b[0], "KSTR", 4);
  Put32(&b, 4, 0x0104);
  Put32(&b, 8, (uint32_t)strings.size());
  size_t at = 12 + 4 * strings.size();
  for (size_t i = 0; i < strings.size(); ++i) {
    Put32(&b, 12 + 4 * i, (uint32_t)at);
    memcpy(&b[at], strings[i].data(), strings[i].size());
    at += strings[i].size() + 1;
  }
  return b;
}

std::vector<unsigned char> MakeRecordTable(size_t size, uint32_t seed) {
  Rng rng{seed};
  std::vector<unsigned char> b(size, 0);
  memcpy(&b[0], "KTBL", 4);
  const size_t count = (size - 16) / 64;
  Put32(&b, 4, 0x0104);
  Put32(&b, 8, (uint32_t)count);
  Put32(&b, 12, 64);
  for (size_t i = 0; i < count; ++i) {
    const size_t at = 16 + 64 * i;
    Put32(&b, at, (uint32_t)(1000 + i));
    PutText(&b, at + 4, UNIT_NAMES[rng.Below(20)], 24);
    for (int k = 0; k < 8; ++k) {
      b[at + 28 + 2 * k] = (unsigned char)(5 * rng.Below(40));
      b[at + 29 + 2 * k] = (unsigned char)rng.Below(2);
    }
    for (int k = 0; k < 5; ++k) {
      const float f = (float)rng.Below(64) / 4.0f;
      uint32_t bits;
      memcpy(&bits, &f, 4);
      Put32(&b, at + 44 + 4 * k, bits);
    }
  }
  return b;
}

std::vector<unsigned char> MakePackedArchive(size_t size, uint32_t seed, const char* folder) {
  Rng rng{seed};
  std::vector<unsigned char> b(size, 0);
  memcpy(&b[0], "KPAK", 4);
  // About one entry per 8 KiB, so that the directory stays a small part.
  const size_t count = size / 8192 + 1;
  const size_t directory = 12 + 48 * count;
  Put32(&b, 4, 0x0104);
  Put32(&b, 8, (uint32_t)count);
  size_t offset = directory;
  for (size_t i = 0; i < count; ++i) {
    const size_t at = 12 + 48 * i;
    const size_t left = size - offset;
    const size_t length = i + 1 == count ? left : left / (count - i) / 2 + rng.Below((uint32_t)(left / (count - i)));
    const std::string name = std::string(folder) + "\\" + rng.Pick(DATA_FOLDERS) + "_" +
                             std::to_string(i) + "." + rng.Pick(DATA_EXTENSIONS);
    PutText(&b, at, name, 36);
    Put32(&b, at + 36, (uint32_t)offset);
    Put32(&b, at + 40, (uint32_t)length);
    Put32(&b, at + 44, (uint32_t)(length * 3 / 2 + rng.Below(1000)));
    offset += length;
  }
  for (size_t i = directory; i < size; ++i) b[i] = (unsigned char)rng.Next();
  return b;
}
