// Record decoding from arbitrary resource bytes: never reads past the
// resource, never writes past DecodedSize, and produces exactly what the
// plain ring algorithm produces, zero-filled after that.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "messages/messages.h"
#include "payload/record.h"
#include "ring_reference.h"

namespace {
// Headers claiming more are refused by the heap in the real program; here
// they would only slow the fuzzer down.
const uint32_t kMaxDecodedSize = 1 << 22;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 12) {
    uint32_t decodedSize;
    memcpy(&decodedSize, data + 8, 4);
    if (decodedSize > kMaxDecodedSize) return 0;
  }
  // The resource is an exact-size copy, so reading past it is caught.
  std::vector<uint8_t> resource(data, data + size);
  unsigned char* image = nullptr;
  DWORD imageSize = 0;
  FILETIME time;
  if (!DecodePayloadRecord(resource.data(), DWORD(resource.size()), &image, &imageSize, &time)) {
    if (size >= 16) {
      uint32_t packedSize;
      memcpy(&packedSize, data + 12, 4);
      if (packedSize <= size - 16) abort();  // a record that fits was refused
    }
    return 0;
  }
  uint32_t packedSize;
  memcpy(&packedSize, data + 12, 4);
  std::vector<unsigned char> expected(imageSize, 0);
  RingReferenceDecode(data + 16, packedSize, expected.data(), expected.size());
  if (imageSize && memcmp(image, expected.data(), imageSize) != 0) abort();
  CheckedFree(image);
  return 0;
}
