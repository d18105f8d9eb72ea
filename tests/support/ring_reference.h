// The ring algorithm exactly as the record format describes it, one byte at
// a time through a 4096-byte ring. Tests, benchmarks and fuzzers measure the
// real decoder against it.
#pragma once

#include <stddef.h>

// Same contract as LzssDecode: stops when the stream is used up or out is full.
size_t RingReferenceDecode(const unsigned char* stream, size_t packedSize,
                           unsigned char* out, size_t outCapacity);
