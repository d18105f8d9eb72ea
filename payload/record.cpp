#include "payload/record.h"

#include <string.h>

#include "messages/messages.h"
#include "payload/lzss.h"

bool DecodePayloadRecord(const void* recordBytes, DWORD resourceSize,
                         unsigned char** outImage, DWORD* outSize, FILETIME* outFileTime) {
  PayloadRecord header;
  if (resourceSize < sizeof header) return false;
  memcpy(&header, recordBytes, sizeof header);
  if (header.PackedSize > resourceSize - sizeof header) return false;

  unsigned char* image = (unsigned char*)CheckedAlloc(header.DecodedSize, "DecodeFile");
  const unsigned char* stream = (const unsigned char*)recordBytes + sizeof header;
  const size_t produced = LzssDecode(stream, header.PackedSize, image, header.DecodedSize);
  memset(image + produced, 0, header.DecodedSize - produced);

  outFileTime->dwLowDateTime = header.FileTimeLow;
  outFileTime->dwHighDateTime = header.FileTimeHigh;
  *outImage = image;
  *outSize = header.DecodedSize;
  return true;
}
