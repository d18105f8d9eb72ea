#include "tools/samplegen/payload_table.h"

#include <stdlib.h>

#include <sstream>

#include "tools/patchpack/file_io.h"

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

bool ParseNumber(const std::string& text, unsigned long* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = strtoul(text.c_str(), &end, 10);
  return *end == '\0';
}

}  // namespace

bool ReadPayloadTable(const char* path, std::vector<PayloadRow>* rows, std::string* error) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, &bytes, nullptr, error)) return false;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string line;
  int lineNumber = 0;
  rows->clear();
  while (std::getline(in, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = SplitTabs(line);
    unsigned long row, id, size;
    if (f.size() != 6 || !ParseNumber(f[0], &row) || !ParseNumber(f[1], &id) ||
        !ParseNumber(f[3], &size) || row != rows->size()) {
      *error = "line " + std::to_string(lineNumber) + ": expected row " +
               std::to_string(rows->size()) + ", id, name, size, kind, time";
      return false;
    }
    rows->push_back(PayloadRow{(int)row, (uint32_t)id, f[2], (size_t)size, f[4], f[5]});
  }
  return true;
}
