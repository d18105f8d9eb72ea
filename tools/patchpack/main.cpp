// patchpack: makes, unpacks and lists the installer's payload records.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "tools/patchpack/crc32.h"
#include "tools/patchpack/file_io.h"
#include "tools/patchpack/filetime.h"
#include "tools/patchpack/pe_resources.h"
#include "tools/patchpack/record_file.h"

namespace {

const char USAGE[] =
    "usage: patchpack pack IN OUT [--time YYYY-MM-DDTHH:MM:SSZ]\n"
    "       patchpack unpack IN OUT\n"
    "       patchpack list EXE\n";

int Usage() {
  fputs(USAGE, stderr);
  return 2;
}

int Fail(const char* path, const std::string& why) {
  fprintf(stderr, "patchpack: %s: %s\n", path, why.c_str());
  return 1;
}

double Percent(size_t part, size_t whole) {
  return whole == 0 ? 100.0 : 100.0 * (double)part / (double)whole;
}

int Pack(const char* in, const char* out, const char* timeText) {
  uint64_t fileTime = 0;
  if (timeText && !ParseIsoTime(timeText, &fileTime)) {
    fprintf(stderr, "patchpack: bad --time '%s': expected YYYY-MM-DDTHH:MM:SSZ\n", timeText);
    return 2;
  }
  std::vector<unsigned char> data;
  struct timespec mtime;
  std::string error;
  if (!ReadWholeFile(in, &data, &mtime, &error)) return Fail(in, error);
  if (data.size() > 0xFFFFFFFFu) return Fail(in, "too large for a record (4 GiB or more)");
  if (!timeText) {
    if (mtime.tv_sec < -11644473600LL) return Fail(in, "modification time before 1601");
    fileTime = FileTimeFromTimespec(mtime);
  }
  const std::vector<unsigned char> record = BuildRecord(data.data(), data.size(), fileTime);
  if (!WriteWholeFile(out, record.data(), record.size(), nullptr, &error)) {
    return Fail(out, error);
  }
  printf("%s: %zu bytes -> record %zu bytes (%.2f%%), time %s\n", in, data.size(),
         record.size(), Percent(record.size(), data.size()), FormatIsoTime(fileTime).c_str());
  return 0;
}

int Unpack(const char* in, const char* out) {
  std::vector<unsigned char> record;
  std::string error;
  if (!ReadWholeFile(in, &record, nullptr, &error)) return Fail(in, error);
  RecordInfo info;
  std::vector<unsigned char> image;
  if (!DecodeRecordBytes(record.data(), record.size(), &info, &image, &error)) {
    return Fail(in, "not a sound payload record: " + error);
  }
  const struct timespec mtime = TimespecFromFileTime(info.FileTime);
  if (!WriteWholeFile(out, image.data(), image.size(), &mtime, &error)) return Fail(out, error);
  printf("%s: record %zu bytes -> %zu bytes, time %s\n", in, record.size(), image.size(),
         FormatIsoTime(info.FileTime).c_str());
  return 0;
}

int List(const char* exe) {
  std::vector<unsigned char> file;
  std::string error;
  if (!ReadWholeFile(exe, &file, nullptr, &error)) return Fail(exe, error);
  std::vector<BinfileResource> resources;
  if (!ListBinfileResources(file.data(), file.size(), &resources, &error)) {
    return Fail(exe, error);
  }
  if (resources.empty()) return Fail(exe, "holds no BINFILE resources");
  printf("%6s  %-6s  %9s  %9s  %-20s  %s\n", "id", "lang", "decoded", "packed", "time", "crc32");
  int damaged = 0;
  for (const BinfileResource& r : resources) {
    RecordInfo info;
    std::vector<unsigned char> image;
    if (!DecodeRecordBytes(file.data() + r.Offset, r.Size, &info, &image, &error)) {
      printf("%6u  0x%04X  damaged record: %s\n", (unsigned)r.Id, (unsigned)r.Language,
             error.c_str());
      ++damaged;
      continue;
    }
    printf("%6u  0x%04X  %9u  %9u  %-20s  %08x\n", (unsigned)r.Id, (unsigned)r.Language,
           (unsigned)info.DecodedSize, (unsigned)info.PackedSize,
           FormatIsoTime(info.FileTime).c_str(), (unsigned)Crc32(image.data(), image.size()));
  }
  printf("%zu BINFILE resources, %d damaged\n", resources.size(), damaged);
  return damaged == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* command = argv[1];
  if (strcmp(command, "pack") == 0) {
    if (argc == 4) return Pack(argv[2], argv[3], nullptr);
    if (argc == 6 && strcmp(argv[4], "--time") == 0) return Pack(argv[2], argv[3], argv[5]);
    return Usage();
  }
  if (strcmp(command, "unpack") == 0 && argc == 4) return Unpack(argv[2], argv[3]);
  if (strcmp(command, "list") == 0 && argc == 3) return List(argv[2]);
  return Usage();
}
