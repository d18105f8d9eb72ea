// resources/payload.tsv: one line per manifest row, tab-separated:
// row, resource id, file name, size, kind, stored time. '#' starts a comment.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct PayloadRow {
  int Row;
  uint32_t ResourceId;
  std::string FileName;
  size_t Size;
  std::string Kind;
  std::string Time;
};

bool ReadPayloadTable(const char* path, std::vector<PayloadRow>* rows, std::string* error);
