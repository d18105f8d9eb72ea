// samplegen: writes one file of the sample payload, as resources/payload.tsv
// describes it, from nothing but the table, the texts and the row's seed.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "tools/patchpack/file_io.h"
#include "tools/samplegen/data_files.h"
#include "tools/samplegen/payload_table.h"
#include "tools/samplegen/program_image.h"
#include "tools/samplegen/text_files.h"

namespace {

int Fail(const std::string& why) {
  fprintf(stderr, "samplegen: %s\n", why.c_str());
  return 1;
}

bool Generate(const PayloadRow& row, const std::string& textDir,
              std::vector<unsigned char>* out, std::string* error) {
  const uint32_t seed = 0x4B4C0000u + row.ResourceId;
  const std::string& k = row.Kind;
  const bool japanese = k.size() > 3 && k.compare(k.size() - 3, 3, "-jp") == 0;
  const std::string base = japanese ? k.substr(0, k.size() - 3) : k;
  if (base == "text") return LoadText(textDir, row.FileName, japanese, out, error);
  if (base == "exe" || base == "dll" || base == "game") {
    if (row.Size % 4096 != 0 || row.Size < 32768) {
      *error = "a program's size is a multiple of 4096, at least 32768";
      return false;
    }
    const ProgramKind kind = base == "exe" ? PROGRAM_EXE : base == "dll" ? PROGRAM_DLL : PROGRAM_GAME;
    *out = MakeProgramImage(row.Size, seed, kind, japanese);
    return true;
  }
  if (base == "strings") {
    *out = MakeStringTable(row.Size, seed, japanese);
  } else if (base == "table") {
    *out = MakeRecordTable(row.Size, seed);
  } else if (base == "packed") {
    *out = MakePackedArchive(row.Size, seed, row.FileName.substr(0, row.FileName.find('.')).c_str());
  } else {
    *error = "unknown kind '" + k + "'";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    fputs("usage: samplegen TABLE TEXT-DIR ROW OUT\n", stderr);
    return 2;
  }
  std::vector<PayloadRow> rows;
  std::string error;
  if (!ReadPayloadTable(argv[1], &rows, &error)) return Fail(std::string(argv[1]) + ": " + error);
  char* end = nullptr;
  const unsigned long index = strtoul(argv[3], &end, 10);
  if (*end != '\0' || index >= rows.size()) return Fail(std::string("no row ") + argv[3]);
  const PayloadRow& row = rows[index];
  std::vector<unsigned char> data;
  if (!Generate(row, argv[2], &data, &error)) return Fail(row.FileName + ": " + error);
  if (data.size() != row.Size) {
    return Fail(row.FileName + ": the table says " + std::to_string(row.Size) + " bytes, made " +
                std::to_string(data.size()));
  }
  if (!WriteWholeFile(argv[4], data.data(), data.size(), nullptr, &error)) {
    return Fail(std::string(argv[4]) + ": " + error);
  }
  return 0;
}
