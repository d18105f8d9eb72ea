// Payload records: how a patch file is stored in its "BINFILE" resource.
#pragma once

#include <windows.h>

// The record's 16-byte header, little-endian; PackedSize stream bytes follow.
struct PayloadRecord {
  DWORD FileTimeLow;
  DWORD FileTimeHigh;
  DWORD DecodedSize;
  DWORD PackedSize;
};
static_assert(sizeof(PayloadRecord) == 16, "the header has no padding");

// Decodes the record held in the resourceSize bytes at recordBytes. On
// success *outImage is a new CheckedAlloc block ("DecodeFile") of exactly
// *outSize = DecodedSize bytes, released by the caller with CheckedFree;
// bytes the stream does not produce are zero. *outFileTime is the stored time.
// Returns false, touching nothing and reading nothing past the resource, when
// the resource is shorter than the header or than the stream it claims.
bool DecodePayloadRecord(const void* recordBytes, DWORD resourceSize,
                         unsigned char** outImage, DWORD* outSize, FILETIME* outFileTime);
