#include "corpus.h"

#include <stdio.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "payload/lzss.h"
#include "tools/patchpack/lzss_encode.h"
#include "tools/patchpack/record_file.h"

namespace {

// Shared libraries and executables of 0.5 to 2 MB, a 32-bit Windows DLL
// and a large text, as this machine's packages install them.
const char* const MACHINE_FILES[] = {
    "/usr/lib/x86_64-linux-gnu/libc.so.6",
    "/usr/lib/x86_64-linux-gnu/libstdc++.so.6",
    "/usr/lib/x86_64-linux-gnu/libpcre2-8.so.0",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll",
    "/var/lib/dpkg/status",
};

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::vector<CorpusItem> LoadCorpus() {
  std::vector<CorpusItem> corpus;
  std::ifstream table(PAYLOAD_TABLE);
  std::string line;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string row, id, name;
    std::getline(fields, row, '\t');
    std::getline(fields, id, '\t');
    std::getline(fields, name, '\t');
    const std::vector<unsigned char> record =
        ReadFile(std::string(PAYLOAD_RECORD_DIR) + "/" + id + ".rec");
    RecordInfo info;
    CorpusItem item{name, {}, {}};
    std::string error;
    if (!DecodeRecordBytes(record.data(), record.size(), &info, &item.Data, &error)) {
      fprintf(stderr, "record %s: %s\n", id.c_str(), error.c_str());
      continue;
    }
    item.Stream.assign(record.begin() + RECORD_HEADER_SIZE, record.end());
    corpus.push_back(item);
  }
  for (const char* path : MACHINE_FILES) {
    CorpusItem item{path, ReadFile(path), {}};
    if (item.Data.empty()) continue;
    item.Stream = LzssEncode(item.Data.data(), item.Data.size());
    corpus.push_back(item);
  }
  return corpus;
}
