#pragma once

#include <stddef.h>
#include <stdint.h>

// The common CRC-32 (reflected polynomial 0xEDB88320), as zip and PNG use it.
uint32_t Crc32(const unsigned char* data, size_t size);
