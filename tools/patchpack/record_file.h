// Payload records as files: the 16-byte header (little-endian time low, time
// high, decoded size, packed size) followed by the stream.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

enum { RECORD_HEADER_SIZE = 16 };

struct RecordInfo {
  uint64_t FileTime;
  uint32_t DecodedSize;
  uint32_t PackedSize;
};

// Packs data into a record carrying fileTime. data must be under 4 GiB.
std::vector<unsigned char> BuildRecord(const unsigned char* data, size_t size,
                                       uint64_t fileTime);

// Checks the header of a record of size bytes and decodes it. On failure
// returns false and says why in *error.
bool DecodeRecordBytes(const unsigned char* bytes, size_t size, RecordInfo* info,
                       std::vector<unsigned char>* image, std::string* error);
