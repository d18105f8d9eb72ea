#include "tools/patchpack/record_file.h"

#include <stdio.h>

#include "payload/lzss.h"
#include "tools/patchpack/lzss_encode.h"

namespace {

void PutLe32(std::vector<unsigned char>* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back((unsigned char)(v >> (8 * i)));
}

uint32_t GetLe32(const unsigned char* p) {
  return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

std::vector<unsigned char> BuildRecord(const unsigned char* data, size_t size,
                                       uint64_t fileTime) {
  const std::vector<unsigned char> stream = LzssEncode(data, size);
  std::vector<unsigned char> record;
  record.reserve(RECORD_HEADER_SIZE + stream.size());
  PutLe32(&record, (uint32_t)fileTime);
  PutLe32(&record, (uint32_t)(fileTime >> 32));
  PutLe32(&record, (uint32_t)size);
  PutLe32(&record, (uint32_t)stream.size());
  record.insert(record.end(), stream.begin(), stream.end());
  return record;
}

bool DecodeRecordBytes(const unsigned char* bytes, size_t size, RecordInfo* info,
                       std::vector<unsigned char>* image, std::string* error) {
  char text[160];
  if (size < RECORD_HEADER_SIZE) {
    snprintf(text, sizeof text, "%zu bytes is too short for a record header", size);
    *error = text;
    return false;
  }
  info->FileTime = GetLe32(bytes) | uint64_t(GetLe32(bytes + 4)) << 32;
  info->DecodedSize = GetLe32(bytes + 8);
  info->PackedSize = GetLe32(bytes + 12);
  if (info->PackedSize != size - RECORD_HEADER_SIZE) {
    snprintf(text, sizeof text, "header claims %u stream bytes but %zu follow it",
             (unsigned)info->PackedSize, size - RECORD_HEADER_SIZE);
    *error = text;
    return false;
  }
  // One spare byte tells a stream that runs past its size from one that fits.
  image->assign((size_t)info->DecodedSize + 1, 0);
  const size_t produced =
      LzssDecode(bytes + RECORD_HEADER_SIZE, info->PackedSize, image->data(), image->size());
  if (produced > info->DecodedSize) {
    snprintf(text, sizeof text, "stream yields more than the %u bytes the header claims",
             (unsigned)info->DecodedSize);
    *error = text;
    return false;
  }
  if (produced < info->DecodedSize) {
    snprintf(text, sizeof text, "stream yields %zu of the %u bytes the header claims",
             produced, (unsigned)info->DecodedSize);
    *error = text;
    return false;
  }
  image->resize(info->DecodedSize);
  return true;
}
