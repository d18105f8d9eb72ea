// The LZSS format's optimum found by brute force, to hold the packer to.
#pragma once

#include <stddef.h>

// Smallest stream size in bytes for data: the longest match at every position
// over every distance the ring allows (initial spaces included, its unwritten
// end excluded), then the cheapest path at 9 bits a literal, 17 a match.
// Slow: about 4096 comparisons per input byte.
size_t BruteForceOptimalSize(const unsigned char* data, size_t size);
