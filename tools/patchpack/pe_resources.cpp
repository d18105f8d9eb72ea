#include "tools/patchpack/pe_resources.h"

namespace {

const uint32_t HIGH_BIT = 0x80000000u;
const int RESOURCE_DIRECTORY_INDEX = 2;

struct Section {
  uint32_t VirtualAddress;
  uint32_t RawSize;
  uint32_t RawOffset;
};

struct PeView {
  const unsigned char* Bytes;
  size_t Size;
  std::vector<Section> Sections;
  uint32_t ResourceRva;
  // A sound directory visits each 8-byte entry once; shared subdirectories
  // that would multiply the walk run this down and count as damage.
  size_t EntriesLeft;
};

bool Get16(const unsigned char* bytes, size_t size, size_t at, uint32_t* v) {
  if (at > size || size - at < 2) return false;
  *v = bytes[at] | uint32_t(bytes[at + 1]) << 8;
  return true;
}

bool Get32(const unsigned char* bytes, size_t size, size_t at, uint32_t* v) {
  if (at > size || size - at < 4) return false;
  *v = bytes[at] | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
       uint32_t(bytes[at + 3]) << 24;
  return true;
}

// File offset of len bytes at rva, when they lie in one section's raw data.
bool MapRva(const PeView& pe, uint64_t rva, uint64_t len, size_t* offset) {
  for (const Section& s : pe.Sections) {
    if (rva < s.VirtualAddress || rva - s.VirtualAddress >= s.RawSize) continue;
    const uint64_t inSection = rva - s.VirtualAddress;
    if (len > s.RawSize - inSection) return false;
    const uint64_t at = s.RawOffset + inSection;
    if (at > pe.Size || len > pe.Size - at) return false;
    *offset = (size_t)at;
    return true;
  }
  return false;
}

// Reads a 32-bit value at an offset from the resource directory's start.
bool GetResource32(const PeView& pe, uint32_t at, uint32_t* v) {
  size_t offset;
  return MapRva(pe, uint64_t(pe.ResourceRva) + at, 4, &offset) &&
         Get32(pe.Bytes, pe.Size, offset, v);
}

bool NameIsBinfile(const PeView& pe, uint32_t nameAt) {
  static const char NAME[] = "BINFILE";
  size_t offset;
  uint32_t length;
  if (!MapRva(pe, uint64_t(pe.ResourceRva) + nameAt, 2, &offset) ||
      !Get16(pe.Bytes, pe.Size, offset, &length) || length != sizeof NAME - 1 ||
      !MapRva(pe, uint64_t(pe.ResourceRva) + nameAt + 2, 2 * length, &offset)) {
    return false;
  }
  for (uint32_t i = 0; i < length; ++i) {
    uint32_t c = 0;
    Get16(pe.Bytes, pe.Size, offset + 2 * i, &c);
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (c != (unsigned char)NAME[i]) return false;
  }
  return true;
}

// Calls visit(name, target) for each entry of the directory at dirAt.
template <typename Visit>
bool ForEachEntry(PeView& pe, uint32_t dirAt, Visit visit) {
  uint32_t counts;
  if (!GetResource32(pe, dirAt + 12, &counts)) return false;
  const uint32_t entries = (counts & 0xFFFF) + (counts >> 16);
  for (uint32_t i = 0; i < entries; ++i) {
    if (pe.EntriesLeft == 0) return false;
    --pe.EntriesLeft;
    const uint32_t at = dirAt + 16 + 8 * i;
    uint32_t name, target;
    if (!GetResource32(pe, at, &name) || !GetResource32(pe, at + 4, &target)) return false;
    if (!visit(name, target)) return false;
  }
  return true;
}

bool ReadHeaders(const unsigned char* image, size_t size, PeView* pe, std::string* error) {
  uint32_t v;
  if (size < 64 || image[0] != 'M' || image[1] != 'Z') {
    *error = "not a Windows executable (no MZ header)";
    return false;
  }
  uint32_t peAt;
  Get32(image, size, 0x3C, &peAt);
  if (!Get32(image, size, peAt, &v) || v != 0x00004550) {
    *error = "not a Windows executable (no PE header)";
    return false;
  }
  uint32_t sectionCount, optionalSize, magic;
  const size_t optionalAt = size_t(peAt) + 24;
  if (!Get16(image, size, size_t(peAt) + 6, &sectionCount) ||
      !Get16(image, size, size_t(peAt) + 20, &optionalSize) ||
      !Get16(image, size, optionalAt, &magic) || (magic != 0x10B && magic != 0x20B)) {
    *error = "damaged PE header";
    return false;
  }
  const size_t directoriesAt = optionalAt + (magic == 0x10B ? 96 : 112);
  uint32_t directoryCount, resourceSize = 0;
  pe->ResourceRva = 0;
  if (!Get32(image, size, directoriesAt - 4, &directoryCount)) {
    *error = "damaged PE header";
    return false;
  }
  const size_t resourceAt = directoriesAt + 8 * RESOURCE_DIRECTORY_INDEX;
  if (directoryCount > RESOURCE_DIRECTORY_INDEX &&
      resourceAt + 8 <= optionalAt + optionalSize) {
    Get32(image, size, resourceAt, &pe->ResourceRva);
    Get32(image, size, resourceAt + 4, &resourceSize);
  }
  const size_t sectionsAt = optionalAt + optionalSize;
  for (uint32_t i = 0; i < sectionCount; ++i) {
    Section s;
    const size_t at = sectionsAt + 40 * size_t(i);
    if (!Get32(image, size, at + 12, &s.VirtualAddress) ||
        !Get32(image, size, at + 16, &s.RawSize) || !Get32(image, size, at + 20, &s.RawOffset)) {
      *error = "damaged section table";
      return false;
    }
    pe->Sections.push_back(s);
  }
  size_t rootOffset;
  if (pe->ResourceRva == 0 || resourceSize == 0 || !MapRva(*pe, pe->ResourceRva, 16, &rootOffset)) {
    *error = "no resource directory";
    return false;
  }
  return true;
}

}  // namespace

bool ListBinfileResources(const unsigned char* image, size_t size,
                          std::vector<BinfileResource>* out, std::string* error) {
  PeView pe{image, size, {}, 0, size / 8};
  if (!ReadHeaders(image, size, &pe, error)) return false;
  out->clear();
  const bool sound = ForEachEntry(pe, 0, [&](uint32_t typeName, uint32_t typeTarget) {
    if (!(typeName & HIGH_BIT) || !NameIsBinfile(pe, typeName & ~HIGH_BIT)) return true;
    if (!(typeTarget & HIGH_BIT)) return false;
    return ForEachEntry(pe, typeTarget & ~HIGH_BIT, [&](uint32_t id, uint32_t idTarget) {
      if (id & HIGH_BIT) return true;  // named, not numbered
      if (!(idTarget & HIGH_BIT)) return false;
      return ForEachEntry(pe, idTarget & ~HIGH_BIT, [&](uint32_t language, uint32_t dataAt) {
        uint32_t dataRva, dataSize;
        if ((dataAt & HIGH_BIT) || !GetResource32(pe, dataAt, &dataRva) ||
            !GetResource32(pe, dataAt + 4, &dataSize)) {
          return false;
        }
        BinfileResource r{id, language, 0, dataSize};
        if (!MapRva(pe, dataRva, dataSize, &r.Offset)) return false;
        out->push_back(r);
        return true;
      });
    });
  });
  if (!sound) {
    *error = "damaged resource directory";
    return false;
  }
  return true;
}
