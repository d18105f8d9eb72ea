#include "tools/samplegen/program_image.h"

#include <string.h>

#include <string>

#include "tools/samplegen/rng.h"
#include "tools/samplegen/text_files.h"
#include "tools/samplegen/vocabulary.h"

const char VERSION_ANCHOR[13] = "$KLMR$VERBLK";
const char VERSION_TAG[] = "Kelmor v1.4";

namespace {

const uint32_t ALIGN = 0x1000;
const char DOS_STUB_TEXT[] = "This program cannot be run in DOS mode.\r\r\n$";

struct Image {
  std::vector<unsigned char> Bytes;
  uint32_t ImageBase;

  void Put16(size_t at, uint32_t v) {
    Bytes[at] = (unsigned char)v;
    Bytes[at + 1] = (unsigned char)(v >> 8);
  }
  void Put32(size_t at, uint32_t v) {
    Put16(at, v & 0xFFFF);
    Put16(at + 2, v >> 16);
  }
};

struct SectionPlan {
  const char* Name;
  uint32_t Offset;  // file offset, equal to its RVA in these images
  uint32_t Size;
  uint32_t Characteristics;
};

// Appends bytes at a cursor that never passes a limit.
struct Writer {
  Image* Img;
  size_t At;
  size_t End;

  bool Room(size_t n) const { return At + n <= End; }
  void Byte(uint32_t b) {
    if (Room(1)) Img->Bytes[At++] = (unsigned char)b;
  }
  void Bytes(std::initializer_list<uint32_t> bytes) {
    for (uint32_t b : bytes) Byte(b);
  }
  void Dword(uint32_t v) {
    for (int i = 0; i < 4; ++i) Byte(v >> (8 * i));
  }
  void Text(const std::string& s) {
    for (char c : s) Byte((unsigned char)c);
    Byte(0);
  }
  void AlignTo(size_t n, uint32_t fill) {
    while (At % n != 0 && Room(1)) Byte(fill);
  }
};

void WriteHeaders(Image* img, const SectionPlan* sections, int count, ProgramKind kind,
                  uint32_t seed) {
  Image& b = *img;
  b.Bytes[0] = 'M';
  b.Bytes[1] = 'Z';
  b.Put16(2, 0x90);
  b.Put16(4, 3);
  b.Put16(8, 4);
  b.Put16(0x0C, 0xFFFF);
  b.Put16(0x10, 0xB8);
  b.Put16(0x18, 0x40);
  const unsigned char stubCode[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09, 0xCD,
                                    0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};
  memcpy(&b.Bytes[0x40], stubCode, sizeof stubCode);
  memcpy(&b.Bytes[0x4E], DOS_STUB_TEXT, sizeof DOS_STUB_TEXT - 1);
  const size_t pe = 0xD8;
  b.Put32(0x3C, pe);
  b.Put32(pe, 0x00004550);
  b.Put16(pe + 4, 0x14C);
  b.Put16(pe + 6, (uint32_t)count);
  b.Put32(pe + 8, 0x40A00000u + seed % 0x01000000u);  // a 2004 link time
  b.Put16(pe + 20, 224);
  b.Put16(pe + 22, kind == PROGRAM_DLL ? 0x210E : 0x010F);
  const size_t opt = pe + 24;
  b.Put16(opt, 0x10B);
  b.Bytes[opt + 2] = 6;  // linker version
  b.Put32(opt + 4, sections[0].Size);
  b.Put32(opt + 16, sections[0].Offset + 0x10);  // entry point
  b.Put32(opt + 20, sections[0].Offset);
  b.Put32(opt + 28, b.ImageBase);
  b.Put32(opt + 32, ALIGN);
  b.Put32(opt + 36, ALIGN);
  b.Put16(opt + 40, 4);
  b.Put16(opt + 48, 4);
  const SectionPlan& last = sections[count - 1];
  b.Put32(opt + 56, last.Offset + last.Size);
  b.Put32(opt + 60, ALIGN);
  b.Put16(opt + 68, 2);  // GUI
  b.Put32(opt + 72, 0x100000);
  b.Put32(opt + 76, 0x1000);
  b.Put32(opt + 80, 0x100000);
  b.Put32(opt + 84, 0x1000);
  b.Put32(opt + 92, 16);
  const size_t sectionTable = opt + 224;
  for (int i = 0; i < count; ++i) {
    const size_t at = sectionTable + 40 * (size_t)i;
    memcpy(&b.Bytes[at], sections[i].Name, strlen(sections[i].Name));
    b.Put32(at + 8, sections[i].Size);
    b.Put32(at + 12, sections[i].Offset);
    b.Put32(at + 16, sections[i].Size);
    b.Put32(at + 20, sections[i].Offset);
    b.Put32(at + 36, sections[i].Characteristics);
  }
}

// x86 functions: frame set-up, loads and stores through the frame, calls to
// other functions and through the import table, tests and short branches.
void WriteCode(Writer* w, Rng* rng, uint32_t base, uint32_t iat, uint32_t iatCount,
               uint32_t rdata, uint32_t rdataSize, uint32_t data) {
  std::vector<uint32_t> starts;
  const uint32_t frameSlots[] = {0xF8, 0xF4, 0xF0, 0xEC, 0xE8, 0xFC, 0x08, 0x0C, 0x10, 0x14};
  const uint32_t regs[] = {0x45, 0x4D, 0x55, 0x75, 0x7D};  // eax, ecx, edx, esi, edi + [ebp]
  while (w->Room(64)) {
    starts.push_back((uint32_t)w->At);
    const bool frame = rng->Below(5) != 0;
    if (frame) {
      w->Bytes({0x55, 0x8B, 0xEC});
      if (rng->Below(3) == 0) {
        w->Bytes({0x81, 0xEC});
        w->Dword(0x100 + 4 * rng->Below(0x100));
      } else {
        w->Bytes({0x83, 0xEC, 4 * (1 + rng->Below(16))});
      }
    }
    const int saved = (int)rng->Below(4);
    const uint32_t pushes[] = {0x53, 0x56, 0x57};
    for (int i = 0; i < saved; ++i) w->Byte(pushes[i]);
    const int statements = 4 + (int)rng->Below(40);
    for (int s = 0; s < statements && w->Room(32); ++s) {
      switch (rng->Below(16)) {
        case 0: case 1:
          w->Bytes({0x8B, rng->Pick(regs), rng->Pick(frameSlots)});
          break;
        case 2:
          w->Bytes({0x89, rng->Pick(regs), rng->Pick(frameSlots)});
          break;
        case 3:
          w->Bytes({0x8B, 0x46 + 8 * rng->Below(3), 4 * rng->Below(24)});
          break;
        case 4:
          w->Byte(0x68);
          w->Dword(base + rdata + 4 * rng->Below(rdataSize / 4));
          break;
        case 5: case 6:
          if (!starts.empty()) {
            const uint32_t target = starts[starts.size() - 1 - rng->Below((uint32_t)starts.size() < 64 ? (uint32_t)starts.size() : 64)];
            w->Byte(0xE8);
            w->Dword(target - (uint32_t)(w->At + 4));
          }
          break;
        case 7:
          w->Bytes({0xFF, 0x15});
          w->Dword(base + iat + 4 * rng->Below(iatCount));
          break;
        case 8:
          w->Bytes({0x83, 0xC4, 4 * (1 + rng->Below(6))});
          break;
        case 9:
          w->Bytes({0x85, 0xC0, rng->Below(2) ? 0x74u : 0x75u, 2 + rng->Below(40)});
          break;
        case 10:
          w->Bytes({0x83, 0xF8, rng->Below(16), 0x7C + rng->Below(4), 2 + rng->Below(30)});
          break;
        case 11:
          w->Bytes({0x33, 0xC0});
          break;
        case 12:
          w->Bytes({0x8D, rng->Pick(regs), rng->Pick(frameSlots), 0x50 + rng->Below(8)});
          break;
        case 13:
          w->Byte(0xB8 + rng->Below(3));
          w->Dword(rng->Below(4) == 0 ? rng->Next() : rng->Below(256));
          break;
        case 14:
          w->Bytes({0xD9, 0x05});
          w->Dword(base + data + 4 * rng->Below(256));
          w->Bytes({0xD9, 0x5D, rng->Pick(frameSlots)});
          break;
        default:
          w->Bytes({0xA1});
          w->Dword(base + data + 4 * rng->Below(1024));
          break;
      }
    }
    for (int i = saved; i-- > 0;) w->Byte(pushes[i] + 8);  // pop in reverse
    if (frame) w->Bytes({0x8B, 0xE5, 0x5D});
    if (rng->Below(3) == 0) {
      w->Bytes({0xC2, 4 * (1 + rng->Below(4)), 0x00});
    } else {
      w->Byte(0xC3);
    }
    w->AlignTo(16, 0xCC);
  }
}

std::string Message(Rng* rng) {
  std::string s = rng->Pick(MESSAGE_OPENERS);
  s += ' ';
  s += rng->Pick(MESSAGE_OBJECTS);
  if (rng->Below(3) == 0) {
    s += " (";
    s += rng->Pick(FORMAT_ITEMS);
    s += ')';
  }
  s += '.';
  return s;
}

// Import addresses, import names, message and format texts, float tables.
void WriteReadOnlyData(Writer* w, Rng* rng, uint32_t iatCount, bool dll, bool japanese) {
  for (uint32_t i = 0; i < iatCount; ++i) w->Dword(0x2000 + 0x20 * i);
  w->Dword(0);
  for (uint32_t i = 0; i < iatCount; ++i) {
    w->Bytes({i & 0xFF, 0});
    w->Text(IMPORT_NAMES[i % (sizeof IMPORT_NAMES / sizeof IMPORT_NAMES[0])]);
    w->AlignTo(2, 0);
  }
  for (const char* dllName : {"KERNEL32.dll", "USER32.dll", "GDI32.dll", "DDRAW.dll", "DSOUND.dll",
                              "WINMM.dll", "ADVAPI32.dll", "WSOCK32.dll"}) {
    w->Text(dllName);
  }
  if (dll) {
    for (int i = 0; i < 40; ++i) {
      w->Text(std::string(rng->Pick(EXPORT_VERBS)) + rng->Pick(EXPORT_NOUNS));
    }
  }
  const size_t textsEnd = w->At + (w->End - w->At) * 3 / 5;
  while (w->At < textsEnd) {
    switch (rng->Below(6)) {
      case 0:
        w->Text(std::string("Data\\") + rng->Pick(DATA_FOLDERS) + "\\%s." + rng->Pick(DATA_EXTENSIONS));
        break;
      case 1: {
        // Tables of single-precision constants.
        for (int i = 0; i < 16; ++i) {
          const float f = (float)(int)rng->Below(2000) / 8.0f - 64.0f;
          uint32_t bits;
          memcpy(&bits, &f, 4);
          w->Dword(bits);
        }
        break;
      }
      case 2:
        w->Text(japanese ? ToCp932(rng->Pick(JAPANESE_MESSAGES)) : Message(rng));
        break;
      default:
        w->Text(Message(rng));
        break;
    }
    w->AlignTo(4, 0);
  }
}

// Initialized data: counters and small tables among long stretches of zero.
void WriteData(Writer* w, Rng* rng, bool game) {
  if (game) {
    w->At += 0x40;
    const size_t anchor = w->At;
    for (int i = 0; i < 12; ++i) w->Byte((unsigned char)VERSION_ANCHOR[i]);
    w->Dword(0x00010004);  // 1.4
    w->Dword(0x07D40612);  // build date
    w->At = anchor + VERSION_TAG_OFFSET;
    w->Text(VERSION_TAG);
    w->AlignTo(16, 0);
  }
  while (w->Room(512)) {
    if (rng->Below(3) == 0) {
      for (int i = 0, n = 8 + (int)rng->Below(64); i < n; ++i) w->Dword(rng->Below(4) ? rng->Below(100) : rng->Next());
    } else {
      w->At += 64 + rng->Below(1024);
    }
  }
}

// A version-information-like block of UTF-16 strings and an icon bitmap.
void WriteResources(Writer* w, Rng* rng) {
  for (const char* s : {"CompanyName", "Halvecrest Software", "FileDescription", "Kelmor: Ostravine",
                        "FileVersion", "1, 4, 0, 0", "LegalCopyright", "Copyright (C) 2004",
                        "ProductName", "Kelmor: Ostravine", "ProductVersion", "1.4"}) {
    for (const char* p = s; *p; ++p) w->Bytes({(unsigned char)*p, 0});
    w->Bytes({0, 0});
    w->AlignTo(4, 0);
  }
  // 32x32, 4 bits per pixel: rows of a few colours.
  for (int y = 0; y < 32; ++y) {
    const uint32_t shade = rng->Below(16);
    for (int x = 0; x < 16; ++x) w->Byte((shade << 4) | (x < 4 || x > 11 ? 0 : rng->Below(16)));
  }
}

}  // namespace

std::vector<unsigned char> MakeProgramImage(size_t size, uint32_t seed, ProgramKind kind,
                                            bool japanese) {
  Image img{std::vector<unsigned char>(size, 0), kind == PROGRAM_DLL ? 0x10000000u : 0x00400000u};
  Rng rng{seed};
  const uint32_t body = (uint32_t)size - ALIGN;
  const uint32_t text = body * 62 / 100 / ALIGN * ALIGN;
  const uint32_t rdata = body * 14 / 100 / ALIGN * ALIGN;
  const uint32_t data = body * 17 / 100 / ALIGN * ALIGN;
  const uint32_t rsrc = body - text - rdata - data;
  const SectionPlan sections[] = {
      {".text", ALIGN, text, 0x60000020},
      {".rdata", ALIGN + text, rdata, 0x40000040},
      {".data", ALIGN + text + rdata, data, 0xC0000040},
      {".rsrc", ALIGN + text + rdata + data, rsrc, 0x40000040},
  };
  WriteHeaders(&img, sections, 4, kind, seed);
  const uint32_t iatCount = 60 + rng.Below(60);
  // Each section leaves its end as the linker's zero padding.
  Writer code{&img, sections[0].Offset, sections[0].Offset + text - rng.Below(ALIGN)};
  WriteCode(&code, &rng, img.ImageBase, sections[1].Offset, iatCount, sections[1].Offset, rdata,
            sections[2].Offset);
  Writer ro{&img, sections[1].Offset, sections[1].Offset + rdata - rng.Below(ALIGN)};
  WriteReadOnlyData(&ro, &rng, iatCount, kind == PROGRAM_DLL, japanese);
  Writer rw{&img, sections[2].Offset, sections[2].Offset + data - ALIGN / 2};
  WriteData(&rw, &rng, kind == PROGRAM_GAME);
  Writer res{&img, sections[3].Offset, sections[3].Offset + rsrc};
  WriteResources(&res, &rng);
  return img.Bytes;
}
